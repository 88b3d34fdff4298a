// Events. Members on the object's thread fire directly; the media-check thread and the rip
// workers leave what is to be said in the pending fields and call _OnEvent through their own
// proxy, which COM runs on the object's thread.
#include "ripper/AudioCDRipper.h"

#include "com/Variant.h"

namespace {

// _IAudioCDRipperEvents
constexpr DISPID kError = 1;
constexpr DISPID kRipProgress = 2;
constexpr DISPID kRipRetry = 3;
constexpr DISPID kMediaChange = 4;

}  // namespace

void AudioCDRipper::raise(ErrcodeConstants code) {
    lastError_ = code;
    fire(kError, code);
}

void AudioCDRipper::fire(DISPID event, LONG argument) {
    if (event == kMediaChange) {
        connectionPoint(0).fire(event);
    } else {
        connectionPoint(0).fire(event, com::variant(argument));
    }
}

STDMETHODIMP AudioCDRipper::_OnEvent() {
    return com::guarded([&] {
        switch (pendingEvent_.load()) {
        case kPendingError:
            fire(kError, pendingError_);
            break;
        case kPendingProgress:
            if (ripOver_) {
                fire(kRipProgress, 100);
            } else if (percent_ < 100) {
                fire(kRipProgress, percent_);
            }
            break;
        case kPendingRetry:
            fire(kRipRetry, retryNum_);
            break;
        case kPendingMediaChange:
            fire(kMediaChange, 0);
            break;
        default:
            break;
        }
        return S_OK;
    });
}

void AudioCDRipper::sendError(IAudioCDRipper* proxy, ErrcodeConstants code) {
    std::lock_guard lock(eventLock_);
    lastError_ = code;
    pendingError_ = code;
    send(proxy, kPendingError);
}

void AudioCDRipper::sendProgress(IAudioCDRipper* proxy, int percent, bool ripOver) {
    std::lock_guard lock(eventLock_);
    percent_ = percent;
    ripOver_ = ripOver;
    send(proxy, kPendingProgress);
}

void AudioCDRipper::sendRetry(IAudioCDRipper* proxy, int retryNum) {
    std::lock_guard lock(eventLock_);
    retryNum_ = retryNum;
    send(proxy, kPendingRetry);
}

void AudioCDRipper::sendMediaChange(IAudioCDRipper* proxy) {
    std::lock_guard lock(eventLock_);
    lastError_ = NO_ERRORS;
    send(proxy, kPendingMediaChange);
}

void AudioCDRipper::send(IAudioCDRipper* proxy, PendingEvent kind) {
    pendingEvent_ = kind;
    // The call returns once the object's thread has fired and the sinks have returned; a
    // failed call (the object's apartment is gone) leaves nobody to tell.
    if (proxy) proxy->_OnEvent();
}
