#include "FakeCdAudio.h"

#include "ripper/RipperSystem.h"

#include <map>
#include <mutex>

namespace fakecd {

namespace {

constexpr MCIDEVICEID kDevice = 7;

std::mutex lock;
std::string cdLetters;
std::map<DWORD, DWORD> lengths;
std::vector<MciCall> calls;

UINT WINAPI DriveType(LPCSTR root) {
    std::lock_guard guard(lock);
    return cdLetters.find(root[0]) != std::string::npos ? DRIVE_CDROM : DRIVE_FIXED;
}

MCIERROR WINAPI SendCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters) {
    std::lock_guard guard(lock);
    MciCall call{message, flags, 0, {}, 0, 0};
    MCIERROR result = MCIERR_UNRECOGNIZED_COMMAND;
    if (message == MCI_OPEN) {
        auto* open = reinterpret_cast<MCI_OPEN_PARMSA*>(parameters);
        call.deviceType = reinterpret_cast<DWORD_PTR>(open->lpstrDeviceType);
        call.element = open->lpstrElementName;
        open->wDeviceID = kDevice;
        result = 0;
    } else if (message == MCI_STATUS && device == kDevice) {
        auto* status = reinterpret_cast<MCI_STATUS_PARMS*>(parameters);
        call.item = status->dwItem;
        call.track = status->dwTrack;
        const auto known = lengths.find(status->dwTrack);
        status->dwReturn = known == lengths.end() ? 0 : known->second;
        result = 0;
    } else if (message == MCI_CLOSE && device == kDevice) {
        result = 0;
    }
    calls.push_back(call);
    return result;
}

}  // namespace

bool Install() {
    {
        std::lock_guard guard(lock);
        cdLetters = "D";
        lengths.clear();
        calls.clear();
    }
    using Setter = void (*)(const RipperSystemCalls*);
    auto set = reinterpret_cast<Setter>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ZEVDiscRipper.dll"), "SetRipperSystemCalls")));
    static const RipperSystemCalls fake{&DriveType, &SendCommand};
    if (!set) return false;
    set(&fake);
    return true;
}

void SetCdLetters(const std::string& letters) {
    std::lock_guard guard(lock);
    cdLetters = letters;
}

void SetTrackLength(int track, int minutes, int seconds, int frames) {
    std::lock_guard guard(lock);
    lengths[static_cast<DWORD>(track)] = MCI_MAKE_MSF(minutes, seconds, frames);
}

std::vector<MciCall> Calls() {
    std::lock_guard guard(lock);
    return calls;
}

}  // namespace fakecd
