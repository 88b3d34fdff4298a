#include "ripper/AudioCDRipperRipHost.h"

void AudioCDRipper::RipHost::Line(const char* text) { ripper_.log_.line(text); }

void AudioCDRipper::RipHost::Line(const char* text, long number) { ripper_.log_.line(text, number); }

void AudioCDRipper::RipHost::FlushLog() { ripper_.log_.flush(); }

void AudioCDRipper::RipHost::LockDrive() { ripper_.state_.lock(); }

void AudioCDRipper::RipHost::UnlockDrive() { ripper_.state_.unlock(); }

void AudioCDRipper::RipHost::ReleaseCDHandle() { locked([&] { ripper_.releaseCDHandle(); }); }

void AudioCDRipper::RipHost::UnloadSCSIManager() { locked([&] { ripper_.unloadSCSIManager(); }); }

bool AudioCDRipper::RipHost::LoadSCSIManager() {
    return locked([&] {
        ripper_.loadSCSIManager();
        return ripper_.scsiManagerLoaded_;
    });
}

void AudioCDRipper::RipHost::CreateCDHandle() { locked([&] { ripper_.createCDHandle(); }); }

int AudioCDRipper::RipHost::CDHandle() { return locked([&] { return ripper_.cdHandle_; }); }

void AudioCDRipper::RipHost::CheckTransport() { locked([&] { ripper_.checkTransport(); }); }

void AudioCDRipper::RipHost::ReloadManager() { locked([&] { ripper_.reloadManager(); }); }

rip::Readiness AudioCDRipper::RipHost::TestDriveReady() { return locked([&] { return ripper_.driveReadiness(); }); }

rip::RipJob AudioCDRipper::RipHost::Job() {
    std::lock_guard lock(ripper_.state_);
    const RipSettings& settings = ripper_.rip_;
    rip::RipJob job{static_cast<int>(settings.preset), settings.blockFrames, settings.readStrategy,
                    settings.retries, settings.spinUpTime, settings.driveSpeed, settings.lockTray, 0, 0};
    // Without a track list (no Refresh yet) there is nothing to read.
    if (ripper_.trackIndex_ < static_cast<int>(ripper_.tracks_.size())) {
        const AudioTrack& track = ripper_.tracks_[static_cast<std::size_t>(ripper_.trackIndex_)];
        job.trackStart = track.start;
        job.trackLength = static_cast<std::uint32_t>(track.frames);
    }
    return job;
}

int AudioCDRipper::RipHost::OnErrorAction() {
    return locked([&] { return static_cast<int>(ripper_.rip_.onErrorAction); });
}

bool AudioCDRipper::RipHost::StopRequested() { return ripper_.stopRip_ != 0; }

void AudioCDRipper::RipHost::SetRipInProgress(bool ripping) { ripper_.ripInProgress_ = ripping; }

void AudioCDRipper::RipHost::SetMediaIn() { ripper_.mediaState_ = kMediaIn; }

void AudioCDRipper::RipHost::EnableTick(bool enabled) {
    ripper_.tickEnabled_ = enabled;
    // Switched off, it waits for a convert tick that is still running.
    if (!enabled) std::lock_guard wait(ripper_.convertTick_);
}

void AudioCDRipper::RipHost::SetTickMode(rip::TickMode mode) {
    ripper_.tickMode_ = mode == rip::TickMode::kConvert ? TickMode::Convert : TickMode::MediaCheck;
}

void AudioCDRipper::RipHost::TickNow() {
    if (ripper_.tickNow_) SetEvent(ripper_.tickNow_.get());
}

void AudioCDRipper::RipHost::ResetRipReport() {
    ripper_.percent_ = 0;
    ripper_.retryNum_ = 0;
    ripper_.ripOver_ = false;
}

void AudioCDRipper::RipHost::Error(int code) { ripper_.sendError(proxy_, static_cast<ErrcodeConstants>(code)); }

void AudioCDRipper::RipHost::RipProgress(int percent) { ripper_.sendProgress(proxy_, percent, false); }

void AudioCDRipper::RipHost::RipRetry(int retryNum) { ripper_.sendRetry(proxy_, retryNum); }

void AudioCDRipper::RipHost::RipOver() { ripper_.sendProgress(proxy_, 100, true); }
