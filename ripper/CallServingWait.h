// Waiting on the object's thread without holding up its other threads. In a single-threaded
// apartment the media-check thread and the rip workers reach the object only through calls
// this thread serves (their events go out through _OnEvent), so a long wait here goes on
// serving them: a rip keeps its pace and the media check its ticks.
#pragma once

#include <windows.h>

#include <functional>

// Waits for the handle to be signalled, serving the COM calls made to this thread meanwhile.
void WaitServingCalls(HANDLE handle);

// Runs `work` on a thread of its own and waits for it so; on this thread, unserved, when no
// thread can be made. What the work throws is thrown here.
void RunServingCalls(const std::function<void()>& work);
