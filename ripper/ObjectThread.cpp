#include "ripper/ObjectThread.h"

#include "com/Apartment.h"
#include "com/CallServingWait.h"

#include <process.h>

#include <memory>

namespace {

struct Start {
    com::marshalled<IAudioCDRipper> handOver;
    ObjectThread::Body body;
};

unsigned __stdcall run(void* argument) {
    const std::unique_ptr<Start> start(static_cast<Start*>(argument));
    com::apartment apartment;
    {
        com::ptr<IAudioCDRipper> proxy;
        if (apartment) start->handOver.unmarshal(proxy);
        start->body(proxy.get());
    }
    return 0;
}

}  // namespace

bool ObjectThread::start(com::marshalled<IAudioCDRipper> handOver, Body body) {
    join();
    auto start = std::make_unique<Start>(Start{std::move(handOver), std::move(body)});
    const auto handle = _beginthreadex(nullptr, 0, &run, start.get(), 0, nullptr);
    if (!handle) return false;
    start.release();
    thread_.reset(reinterpret_cast<HANDLE>(handle));
    return true;
}

void ObjectThread::join() {
    if (!thread_) return;
    com::WaitServingCalls(thread_.get());
    thread_.reset();
}
