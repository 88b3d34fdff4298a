#include "ripper/RipperLog.h"

#include "DriveTransport.h"

#include <cstring>

namespace {

constexpr char kKey[] = "Software\\ZEV\\ZEVDiscRipper\\AudioCDRipper";
constexpr char kFileName[] = "audioripper.log";
constexpr char kBanner[] =
    "ZEVDiscRipper 1.2.4 Dedug. If the ripper misbehaves, please send this file to "
    "support@zev-audio.example with a few words on what happened.";

}  // namespace

RipperLog::Level RipperLog::configuredLevel() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return Off;
    char value[1024] = {};
    DWORD size = sizeof value - 1;  // room for a terminator the stored string may lack
    DWORD type = 0;
    const LONG read = RegQueryValueExA(key, "Log", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || type != REG_SZ) return Off;
    if (std::strcmp(value, "Normal") == 0) return Normal;
    if (std::strcmp(value, "Extended") == 0) return Extended;
    return Off;
}

void RipperLog::open(Level level) {
    close();
    if (level == Off) return;
    com::unique_file file(CreateFileA(kFileName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    {
        std::lock_guard guard(lock_);
        file_ = std::move(file);
        level_ = level;
        if (level_ == Extended) drive::SetCDLayerLog(file_.get());
    }
    line(kBanner);
    line("");
}

void RipperLog::close() {
    std::lock_guard guard(lock_);
    if (!file_) return;
    // The drive layer must not go on writing into a handle that is about to be closed.
    if (level_ == Extended) drive::SetCDLayerLog(nullptr);
    file_.reset();
    level_ = Off;
}

void RipperLog::line(std::string_view text) { write(std::string(text)); }

void RipperLog::line(std::string_view text, long number) {
    write(std::string(text) + ' ' + std::to_string(number));
}

void RipperLog::line(std::string_view text, long first, long second) {
    write(std::string(text) + ' ' + std::to_string(first) + ' ' + std::to_string(second));
}

void RipperLog::flush() {
    std::lock_guard guard(lock_);
    if (file_) FlushFileBuffers(file_.get());
}

void RipperLog::write(std::string text) {
    std::lock_guard guard(lock_);
    if (!file_) return;
    text += "\r\n";
    DWORD written = 0;
    WriteFile(file_.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    if (level_ == Extended) FlushFileBuffers(file_.get());
}
