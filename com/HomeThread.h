// The thread an object was made on, and a way back to it. COM may drop an object's last
// reference on a thread of its own: the end of a call that was under way when the object was
// disconnected from its clients. A destructor that waits for the object's helper threads must
// not run there, for the thread it would hold is the one that answers them.
#pragma once

#include <windows.h>

namespace com {

class home_thread {
public:
    // Made on the home thread.
    home_thread() noexcept;
    ~home_thread();
    home_thread(const home_thread&) = delete;
    home_thread& operator=(const home_thread&) = delete;

    bool current() const noexcept { return GetCurrentThreadId() == id_; }
    // Runs work(context) on the home thread when it next serves its messages; false when it
    // cannot be sent there (the thread or its window is gone).
    bool post(void (*work)(void*), void* context) const noexcept;

private:
    DWORD id_;
    HWND window_;
};

}  // namespace com
