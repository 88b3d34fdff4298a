// The media-check thread: from DriverOpen to DriverClose it wakes every 20 ms and runs a tick,
// which, outside an encoding rip, watches the drive for a disc that goes or comes, sets the
// media-changed flag and tells the client with MediaChange. An encoding rip whose reading is
// over wakes it at once, so the last audio is handed over without waiting out a period.
//
// The thread's waits all end early when the media check is stopped, and each drive step takes
// the state lock only for itself, so DriverClose (and the object's release) can always end the
// thread, and a member never waits long behind a tick.
#include "ripper/AudioCDRipper.h"

#include "DriveTransport.h"

#include <chrono>

namespace {

constexpr int kInsertedTocTries = 500;
constexpr DWORD kInsertedTocPause = 220;
constexpr int kRemovedTocTries = 20;
constexpr DWORD kRemovedTocPause = 120;

using Clock = std::chrono::steady_clock;

}  // namespace

void AudioCDRipper::startMediaCheck(com::marshalled<IAudioCDRipper> handOver) {
    mediaCheckRun_ = true;
    if (mediaCheck_.started()) return;
    mediaCheckStop_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    tickNow_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!mediaCheckStop_ || !tickNow_) return;
    mediaCheck_.start(std::move(handOver), [this](IAudioCDRipper* proxy) { runMediaCheck(proxy); });
}

void AudioCDRipper::stopMediaCheck() {
    tickEnabled_ = false;
    mediaCheckRun_ = false;
    if (mediaCheckStop_) SetEvent(mediaCheckStop_.get());
    mediaCheck_.join();
}

bool AudioCDRipper::pause(DWORD milliseconds) {
    return WaitForSingleObject(mediaCheckStop_.get(), milliseconds) == WAIT_TIMEOUT;
}

bool AudioCDRipper::waitForTick(Clock::time_point due) {
    const HANDLE events[] = {mediaCheckStop_.get(), tickNow_.get()};
    for (Clock::time_point now = Clock::now(); now < due; now = Clock::now()) {
        const auto rest = std::chrono::ceil<std::chrono::milliseconds>(due - now);
        const DWORD woken = WaitForMultipleObjects(2, events, FALSE, static_cast<DWORD>(rest.count()));
        if (woken == WAIT_OBJECT_0) return false;
        if (woken == WAIT_OBJECT_0 + 1) break;
    }
    return true;
}

void AudioCDRipper::runMediaCheck(IAudioCDRipper* proxy) {
    // A tick is due a period after the last one began, so a convert tick that took longer than
    // the period (an encoder behind the drive) is followed at once. The period is measured on
    // the steady clock: GetTickCount may move in steps of 16 ms, which stretched every 20 ms
    // period to 32.
    Clock::time_point begun = Clock::now();
    while (mediaCheckRun_) {
        if (!waitForTick(begun + std::chrono::milliseconds(tickInterval_))) return;
        begun = Clock::now();
        if (!tickEnabled_) continue;
        if (tickMode_ == TickMode::MediaCheck) {
            checkMedia(proxy);
        } else {
            convertTick(proxy);
        }
    }
}

void AudioCDRipper::checkMedia(IAudioCDRipper* proxy) {
    log_.line("Check Media In Progress");
    std::optional<bool> removed;
    {
        std::lock_guard lock(state_);
        if (skipMediaCheck_ || ripInProgress_ || !scsiManagerLoaded_ || !cdHandle_) return;
        const bool ready = testDriveReady();
        const short before = mediaState_;
        if (!ready && before == kMediaIn) removed = true;
        if (ready && before == kNoMedia) removed = false;
        if (removed) mediaChanged_ = true;
        mediaState_ = ready ? kMediaIn : kNoMedia;
    }
    if (removed) handleMediaChange(proxy, *removed);
}

void AudioCDRipper::handleMediaChange(IAudioCDRipper* proxy, bool removed) {
    tickEnabled_ = false;
    log_.line("Media Change! Parameter:", removed ? 1 : 0);

    const auto tryReadToc = [&] {
        std::lock_guard lock(state_);
        checkTransport();
        return drive::ReadDiscTOC(cdHandle_, &toc_) == drive::kLayerSuccess;
    };
    const auto tellNoMedia = [&] {
        tickEnabled_ = true;
        log_.line("Send Event: NoMedia");
        sendMediaChange(proxy);
    };

    if (!removed) {
        // Whether or not the TOC can be read yet, a disc came and the client must hear of it.
        for (int attempt = 0; attempt < kInsertedTocTries; ++attempt) {
            if (tryReadToc()) {
                log_.line("Read TOC Success!");
                break;
            }
            if (!pause(kInsertedTocPause)) return;
        }
        log_.line("Send Event: Media In");
        sendMediaChange(proxy);
        tickEnabled_ = true;
        return;
    }

    if (!pause(kRemovedTocPause)) return;
    bool reopened = false;
    {
        std::lock_guard lock(state_);
        reloadManager();
        reopened = cdHandle_ != 0;
        if (reopened) {
            log_.line("Read CD TOC Structure");
            toc_ = {};
            drive::SetDriveOption(cdHandle_, '$', 0);
        }
    }
    if (!reopened) {
        tellNoMedia();
        return;
    }
    for (int attempt = 0; attempt < kRemovedTocTries; ++attempt) {
        if (tryReadToc()) {
            // The disc is still there: a re-read or a bus reset made it look gone.
            mediaChanged_ = false;
            mediaState_ = kMediaIn;
            log_.line("No Event: ReRead or Bus Reset!");
            tickEnabled_ = true;
            return;
        }
        if (!pause(kRemovedTocPause)) return;
    }
    tellNoMedia();
}
