// The ripper object's debug log, audioripper.log in the current folder, written for support
// cases. Its level comes from the registry once, when the object is created: "No" (or anything
// unknown) writes nothing, "Normal" writes lines without flushing, "Extended" flushes every
// line and lets the drive layer write its own lines into the same file.
//
// The object's thread, the media-check thread and the rip workers all write here: each line is
// built whole and written in one call under the log's lock, so lines never interleave.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

#include "com/Handles.h"

class RipperLog {
public:
    enum Level : short { Off = 0, Normal = 1, Extended = 2 };

    // The value "Log" under HKEY_LOCAL_MACHINE\Software\ZEV\ZEVDiscRipper\AudioCDRipper.
    static Level configuredLevel();

    RipperLog() = default;
    RipperLog(const RipperLog&) = delete;
    RipperLog& operator=(const RipperLog&) = delete;
    ~RipperLog() { close(); }

    // Creates the file anew (no log when that fails) and writes the banner and an empty line.
    void open(Level level);
    void close();

    void line(std::string_view text);
    // The text, a blank and the number in signed decimal.
    void line(std::string_view text, long number);
    void line(std::string_view text, long first, long second);
    // Flushes at every level (the Extended level flushes each line anyway).
    void flush();

    Level level() const { return level_; }

private:
    void write(std::string text);

    std::mutex lock_;
    Level level_ = Off;
    com::unique_file file_;
};
