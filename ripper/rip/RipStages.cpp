#include "RipStages.h"

#include <windows.h>

#include "DriveCommands.h"
#include "ZEVDiscRipper.h"

namespace rip {

std::optional<RipJob> OpenDriveForRip(RipHost& host, int* failure) {
  host.ResetRipReport();
  host.ReleaseCDHandle();
  // Loading follows unloading at once: both return with the transport closed or open, so a
  // pause between them would only delay every rip's first block.
  host.UnloadSCSIManager();
  if (!host.LoadSCSIManager()) {
    *failure = ASPI_DRIVER;
    return std::nullopt;
  }
  host.CreateCDHandle();
  if (host.CDHandle() == 0) {
    *failure = DRIVE_BUSY;
    return std::nullopt;
  }
  const RipJob job = host.Job();
  if (job.lockTray) {
    DriveLock lock(host);
    drive::LockCDTray(host.CDHandle(), 1);
  }
  return job;
}

void EndUnopenedRip(RipHost& host, int failure) {
  host.SetRipInProgress(false);
  host.Error(failure);
}

void UnlockTray(RipHost& host, const RipJob& job) {
  if (!job.lockTray) return;
  DriveLock lock(host);
  drive::LockCDTray(host.CDHandle(), 0);
}

Readiness WaitForDrive(RipHost& host) {
  Readiness readiness = Readiness::kNotReady;
  for (int wait = 0; wait < 20; ++wait) {
    readiness = host.TestDriveReady();
    if (readiness != Readiness::kNotReady) break;
    Sleep(200);
  }
  return readiness;
}

std::optional<int> ErrorOfReadiness(Readiness readiness) {
  switch (readiness) {
    case Readiness::kNoAnswer:
      return TIMEOUT;
    case Readiness::kNotReady:
      return MEDIA_CHANGED;
    case Readiness::kReady:
      break;
  }
  return std::nullopt;
}

void EndRip(RipHost& host, TrackReader& reader) {
  reader.FreeBuffers();
  host.SetRipInProgress(false);
  WaitForDrive(host);
  host.SetMediaIn();
  host.EnableTick(true);
  host.FlushLog();
  host.RipOver();
}

}  // namespace rip
