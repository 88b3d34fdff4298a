// Waiting in a single-threaded apartment without holding up the threads that call into it. The
// apartment's objects are reached from other threads only through calls its thread serves, so
// a thread that waits long (on another thread, on the network) goes on serving them meanwhile:
// what those threads do keeps its pace. Outside an apartment there is nothing to serve and the
// wait is a plain one.
#pragma once

#include <windows.h>

#include <functional>

namespace com {

// Waits for the handle to be signalled, serving the COM calls made to this thread meanwhile.
void WaitServingCalls(HANDLE handle);

// Runs `work` on a thread of its own and waits for it so; on this thread, unserved, when no
// thread can be made. What the work throws is thrown here.
void RunServingCalls(const std::function<void()>& work);

}  // namespace com
