// A thread the ripper object runs beside its own (the media-check thread, the rip workers). It
// enters a single-threaded apartment of its own, takes the object's interface marshalled for it
// (its own proxy: calls through it run on the object's thread), runs its body and leaves COM.
// The body gets a null proxy when the interface could not be unmarshalled.
#pragma once

#include "com/Handles.h"
#include "com/Marshal.h"
#include "com/Ptr.h"

#include "ZEVDiscRipper.h"

#include <functional>

class ObjectThread {
public:
    using Body = std::function<void(IAudioCDRipper* proxy)>;

    ObjectThread() = default;
    ObjectThread(const ObjectThread&) = delete;
    ObjectThread& operator=(const ObjectThread&) = delete;
    ~ObjectThread() { join(); }

    // false when the thread could not be created.
    bool start(com::marshalled<IAudioCDRipper> handOver, Body body);
    bool started() const { return static_cast<bool>(thread_); }
    // Started and not yet ended.
    bool running() const { return thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT; }
    // Lets the thread end on its own, unwaited: for a thread that has finished its body and
    // touches nothing of ours any more.
    void forget() { thread_.reset(); }
    // Waits for the thread's end and forgets it. The thread may be calling the waiting thread
    // through its proxy meanwhile: in a single-threaded apartment those calls are served while
    // waiting, so the thread can finish.
    void join();

private:
    com::unique_handle thread_;
};
