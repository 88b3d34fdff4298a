#include "ripper/AudioCDRipper.h"

#include "DriveTransport.h"

namespace {

// SET CD SPEED's kilobytes per second for the drive's highest speed (255 times single speed
// by the rip engine's speed formula).
constexpr int kMaxReadSpeed = 44885;

}  // namespace

AudioCDRipper::AudioCDRipper() {
    log_.open(RipperLog::configuredLevel());
    log_.line("AudioCDRipper Constructor end");
    log_.line("");
}

AudioCDRipper::~AudioCDRipper() {
    // A client may let the object go without DriverClose: the thread must not outlive the
    // state it works on, and the drive must not stay open for the next object.
    endRips();
    stopMediaCheck();
    {
        std::lock_guard lock(state_);
        closeDriveQuietly();
    }
    log_.line("AudioCDRipper Destructor end");
    log_.close();
}

void AudioCDRipper::lastReleased() noexcept {
    if (home_.current() || !home_.post([](void* self) { delete static_cast<AudioCDRipper*>(self); }, this))
        delete this;
}

STDMETHODIMP AudioCDRipper::DriverOpen() {
    return member([&]() -> Raised {
        log_.line("AudioCDRipper Constructor");
        log_.line("Get Heap pointer...");

        log_.line("Set internal variables");
        driveIndex_ = 0;
        driveCount_ = 0;
        trackIndex_ = 0;
        tracks_.clear();
        readType_ = CDRT_ANY;
        driveName_.clear();
        rip_.driveSpeed = 32;
        // A second DriverOpen must not lose a drive the first one opened: the drive layer's
        // handles are few and a drive open under one handle cannot be opened again.
        if (cdHandle_) drive::CloseCDDrive(cdHandle_);
        cdHandle_ = 0;
        savedCdHandle_ = 0;
        ++discGeneration_;
        mciOpen_ = false;
        rip_.useExternalASPI = false;
        // Cleared before driveNum is set below, so that a change seen before this DriverOpen
        // does not make it fail.
        mediaChanged_ = false;

        log_.line("Load SCSI Manager, external ASPI = FALSE");
        loadSCSIManager();

        log_.line("Get Drive list");
        driveList_ = {};
        driveList_.capacity = drive::kMaxListedDrives;
        drive::EnumerateCDDrives(&driveList_);
        driveCount_ = driveList_.count;
        log_.line("Found Drives:", driveCount_);
        skipMediaCheck_ = false;

        if (driveCount_ == 0) {
            lastError_ = INIT_FAILED;
        } else {
            lastError_ = NO_ERRORS;
            log_.line("Set curent Drive num in 1");
            put_driveNum(1);
        }

        log_.line("Set CDDB default parameters");
        setCddbDefaults();
        rip_.spinUpTime = 0;
        discId_ = 0;
        rip_.lockTray = true;
        ripInProgress_ = false;
        mediaChanged_ = false;

        log_.line("Set default rip Mode Preset in BURST COPY");
        rip_.blockFrames = 26;
        rip_.jitterMatchFrames = 0;
        rip_.jitterReadBackFrames = 0;
        rip_.readStrategy = 0;
        rip_.retries = 20;
        rip_.spinUpTime = 1000;
        rip_.driveSpeed = 32;
        log_.line("BURST");
        rip_.onErrorAction = CUT;

        if (!createEncoderObjects()) lastError_ = INIT_FAILED;

        log_.line("Set internal check media timer");
        tickMode_ = TickMode::MediaCheck;
        com::marshalled<IAudioCDRipper> handOver;
        handOver.marshal(this);
        tickInterval_ = 20;
        tickEnabled_ = false;
        startMediaCheck(std::move(handOver));
        tickEnabled_ = true;

        if (!prepareEncoderObjects()) lastError_ = INIT_FAILED;
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::DriverClose() {
    // Before the tick stops: an encoding rip needs it to hand the rest of its audio over.
    endRips();
    tickEnabled_ = false;
    log_.line("AudioCDRipper Destructor");
    log_.line("Free internal check media timer");
    // Outside the state lock: the thread may need it to finish its tick.
    stopMediaCheck();
    return member([&]() -> Raised {
        releaseEncoderObjects();

        log_.line("Restore CD Speed (Set Max Read Speed)...");
        checkTransport();
        if (mediaState_ != kNoMedia) {
            drive::SetCDSpeed(cdHandle_, kMaxReadSpeed);
            if (rip_.lockTray) {
                log_.line("Restore Drive UnLock State...");
                drive::LockCDTray(cdHandle_, 0);
            }
        }

        checkTransport();
        releaseCDHandle();
        ++discGeneration_;
        checkTransport();
        unloadSCSIManager();
        return std::nullopt;
    });
}
