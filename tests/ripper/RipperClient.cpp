#include "RipperClient.h"

#include "FakeCdAudio.h"
#include "ServerDll.h"
#include "TestFiles.h"

#include "com/Variant.h"

#include <gtest/gtest.h>

namespace {

constexpr char kLogKey[] = "Software\\ZEV\\ZEVDiscRipper\\AudioCDRipper";

}  // namespace

std::string ScratchFolder() { return simdrive::ScratchPath("ripper") + "\\"; }

void UseRipperServer() {
    // Loaded for the whole run: the fake machine lives in this instance of the server.
    static ServerDll* const server = [] {
        auto* dll = new ServerDll(L"ZEVDiscRipper.dll");
        if (*dll) dll->registerServer();
        // The outside encoder objects DriverOpen creates.
        ServerDll(L"ZEVAudioFile.dll").registerServer();
        CreateDirectoryA(ScratchFolder().c_str(), nullptr);
        SetCurrentDirectoryA(ScratchFolder().c_str());
        return dll;
    }();
    ASSERT_TRUE(*server);
    ASSERT_TRUE(fakecd::Install());
}

void SetRipperLogLevel(const char* value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kLogKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (value) {
        RegSetValueExA(key, "Log", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>(strlen(value) + 1));
    } else {
        RegDeleteValueA(key, "Log");
    }
    RegCloseKey(key);
}

RipperClient::RipperClient() {
    if (FAILED(CoCreateInstance(CLSID_AudioCDRipper, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(ripper_.put()))))
        return;
    sink_ = com::make<com::EventSink>(DIID__IAudioCDRipperEvents, [this](DISPID id, const DISPPARAMS& params) {
        LONG argument = 0;
        if (params.cArgs == 1) {
            com::variant value;
            VariantCopy(value.put(), &params.rgvarg[0]);
            if (SUCCEEDED(value.change_type(VT_I4))) argument = value.get()->lVal;
        }
        events_.push_back({id, argument, GetCurrentThreadId()});
    });
    if (FAILED(connection_.connect(ripper_.get(), DIID__IAudioCDRipperEvents, sink_->identity()))) ripper_.reset();
}

std::vector<LONG> RipperClient::errors() const {
    std::vector<LONG> codes;
    for (const RipperEvent& event : events_) {
        if (event.id == kErrorEvent) codes.push_back(event.argument);
    }
    return codes;
}

int RipperClient::count(DISPID id) const {
    int n = 0;
    for (const RipperEvent& event : events_) n += event.id == id;
    return n;
}

bool RipperClient::pumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD begun = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        if (done()) return true;
        const DWORD spent = GetTickCount() - begun;
        if (spent >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - spent, QS_ALLINPUT);
    }
}

void RipperClient::pumpFor(DWORD milliseconds) {
    pumpUntil([] { return false; }, milliseconds);
}

void RipperClient::release() {
    connection_.disconnect();
    ripper_.reset();
    sink_.reset();
}
