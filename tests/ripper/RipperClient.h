// A test's COM client of the AudioCDRipper object: ZEVDiscRipper.dll registered and kept loaded,
// the object created by its class identifier on this thread (a single-threaded apartment that
// pumps messages while the test waits, so calls from the object's threads arrive), and its
// events sunk through a real connection point.
//
// Each test process runs in a scratch folder of its own, where the ripper writes
// audioripper.log, and answers the ripper's drive-letter and CD audio device questions through
// a fake machine (FakeCdAudio.h).
#pragma once

#include "com/ConnectionPoint.h"
#include "com/Ptr.h"

#include "ZEVDiscRipper.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct RipperSystemCalls;

// Registers the server once for the process, enters the scratch folder and installs the fake
// machine. Call before creating a client.
void UseRipperServer();
// The scratch folder (with a trailing backslash).
std::string ScratchFolder();
// HKLM\Software\ZEV\ZEVDiscRipper\AudioCDRipper, value "Log"; null removes the value.
void SetRipperLogLevel(const char* value);

struct RipperEvent {
    DISPID id;
    LONG argument;  // 0 for MediaChange
    DWORD thread;   // where the sink was called
};

// _IAudioCDRipperEvents
constexpr DISPID kErrorEvent = 1;
constexpr DISPID kRipProgressEvent = 2;
constexpr DISPID kRipRetryEvent = 3;
constexpr DISPID kMediaChangeEvent = 4;

class RipperClient {
public:
    RipperClient();
    RipperClient(const RipperClient&) = delete;
    RipperClient& operator=(const RipperClient&) = delete;
    ~RipperClient() { release(); }

    explicit operator bool() const { return static_cast<bool>(ripper_); }
    IAudioCDRipper* operator->() const { return ripper_.get(); }
    IAudioCDRipper* get() const { return ripper_.get(); }

    const std::vector<RipperEvent>& events() const { return events_; }
    // The codes of the Error events so far.
    std::vector<LONG> errors() const;
    int count(DISPID id) const;
    void clearEvents() { events_.clear(); }

    // Serves this thread's messages until `done` answers true or the time is up; false then.
    bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
    void pumpFor(DWORD milliseconds);

    // Disconnects the sink and lets the object go.
    void release();

private:
    com::ptr<IAudioCDRipper> ripper_;
    com::ptr<com::EventSink> sink_;
    com::Connection connection_;
    std::vector<RipperEvent> events_;
};
