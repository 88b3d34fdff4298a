// The operations on the drive layer that several members and threads share. Callers hold the
// state lock, so a tick never reloads the transport under a member that is using the drive.
#include "ripper/AudioCDRipper.h"

#include "DriveTransport.h"

void AudioCDRipper::loadSCSIManager() {
    if (scsiManagerLoaded_) return;
    log_.line("Load SCSI Manager");
    scsiManagerLoaded_ = drive::InitCDLayer(1, rip_.useExternalASPI) == 1;
}

void AudioCDRipper::unloadSCSIManager() {
    if (!scsiManagerLoaded_) return;
    log_.line("UnloadSCSI Manager");
    drive::InitCDLayer(0, rip_.useExternalASPI);
    scsiManagerLoaded_ = false;
}

void AudioCDRipper::createCDHandle() {
    log_.line("Create CD Handle");
    if (!scsiManagerLoaded_) return;
    const drive::DriveListEntry& entry = driveList_.drives[driveIndex_];
    drive::OpenRequest request{};
    request.size = sizeof request;
    request.version = 1;
    request.hostAdapter = entry.hostAdapter;
    request.target = entry.target;
    request.lun = entry.lun;
    request.readClass = static_cast<std::uint8_t>(readType_);
    request.jitterMatchFrames = static_cast<std::uint8_t>(rip_.jitterMatchFrames);
    request.jitterReadBackFrames = static_cast<std::uint8_t>(rip_.jitterReadBackFrames);
    cdHandle_ = drive::OpenCDDrive(&request);
}

void AudioCDRipper::releaseCDHandle() {
    log_.line("Release CD Handle");
    if (cdHandle_) drive::CloseCDDrive(cdHandle_);
    cdHandle_ = 0;
}

void AudioCDRipper::checkTransport() {
    if (drive::IsTransportReady() == 1) return;
    log_.line("Pointers error! ReLoad Manager.");
    reloadManager();
}

void AudioCDRipper::reloadManager() {
    // With the tray free for the user, the reload still must not let the disc go halfway.
    if (!rip_.lockTray) drive::LockCDTray(cdHandle_, 1);
    releaseCDHandle();
    unloadSCSIManager();
    Sleep(500);
    loadSCSIManager();
    createCDHandle();
    if (!cdHandle_) {
        log_.line("Reload Manager Failed!");
    } else if (!rip_.lockTray) {
        drive::LockCDTray(cdHandle_, 0);
    }
}

rip::Readiness AudioCDRipper::driveReadiness() {
    log_.line("Test Drive Ready");
    checkTransport();
    if (!cdHandle_) return rip::Readiness::kNotReady;
    if (skipMediaCheck_) return rip::Readiness::kReady;
    return rip::ReadinessOf(drive::TestCDUnitReady(cdHandle_));
}

void AudioCDRipper::closeDriveQuietly() {
    if (cdHandle_) drive::CloseCDDrive(cdHandle_);
    cdHandle_ = 0;
    if (scsiManagerLoaded_) drive::InitCDLayer(0, rip_.useExternalASPI);
    scsiManagerLoaded_ = false;
}
