// What a rip worker's engine (ripper/rip) is given of the ripper object: its log, its drive
// operations under the state lock, its flags, and events sent through the worker's own proxy.
#pragma once

#include "ripper/AudioCDRipper.h"

#include "RipHost.h"

class AudioCDRipper::RipHost final : public rip::RipHost {
public:
    RipHost(AudioCDRipper& ripper, IAudioCDRipper* proxy) : ripper_(ripper), proxy_(proxy) {}

    void Line(const char* text) override;
    void Line(const char* text, long number) override;
    void FlushLog() override;
    void LockDrive() override;
    void UnlockDrive() override;

    void ReleaseCDHandle() override;
    void UnloadSCSIManager() override;
    bool LoadSCSIManager() override;
    void CreateCDHandle() override;
    int CDHandle() override;
    void CheckTransport() override;
    void ReloadManager() override;
    rip::Readiness TestDriveReady() override;

    rip::RipJob Job() override;
    int OnErrorAction() override;
    bool StopRequested() override;

    void SetRipInProgress(bool ripping) override;
    void SetMediaIn() override;
    void EnableTick(bool enabled) override;
    void SetTickMode(rip::TickMode mode) override;
    void TickNow() override;

    void ResetRipReport() override;
    void Error(int code) override;
    void RipProgress(int percent) override;
    void RipRetry(int retryNum) override;
    void RipOver() override;

private:
    // Runs one of the object's own operations under its state lock.
    template <class Operation>
    auto locked(Operation operation) {
        std::lock_guard lock(ripper_.state_);
        return operation();
    }

    AudioCDRipper& ripper_;
    IAudioCDRipper* proxy_;
};
