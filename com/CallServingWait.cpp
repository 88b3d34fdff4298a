#include "com/CallServingWait.h"

#include "com/Handles.h"

#include <objbase.h>
#include <process.h>

#include <exception>

namespace {

struct Job {
    const std::function<void()>& work;
    std::exception_ptr failure;
};

unsigned __stdcall runJob(void* argument) {
    Job& job = *static_cast<Job*>(argument);
    try {
        job.work();
    } catch (...) {
        job.failure = std::current_exception();
    }
    return 0;
}

}  // namespace

namespace com {

void WaitServingCalls(HANDLE handle) {
    DWORD index = 0;
    // Outside an apartment there are no calls to serve, and COM refuses the wait.
    if (FAILED(CoWaitForMultipleHandles(0, INFINITE, 1, &handle, &index))) WaitForSingleObject(handle, INFINITE);
}

void RunServingCalls(const std::function<void()>& work) {
    Job job{work, nullptr};
    const auto started = _beginthreadex(nullptr, 0, &runJob, &job, 0, nullptr);
    if (!started) {
        work();
        return;
    }
    const unique_handle thread(reinterpret_cast<HANDLE>(started));
    WaitServingCalls(thread.get());
    if (job.failure) std::rethrow_exception(job.failure);
}

}  // namespace com
