#include "RipStages.h"

#include <windows.h>

#include "DriveCommands.h"
#include "ZEVDiscRipper.h"

namespace rip {

std::optional<RipJob> OpenDriveForRip(RipHost& host) {
  host.ResetRipReport();
  host.ReleaseCDHandle();
  host.UnloadSCSIManager();
  Sleep(100);
  if (!host.LoadSCSIManager()) {
    host.Error(ASPI_DRIVER);
    return std::nullopt;
  }
  host.CreateCDHandle();
  if (host.CDHandle() == 0) {
    host.Error(DRIVE_BUSY);
    return std::nullopt;
  }
  const RipJob job = host.Job();
  if (job.lockTray) {
    DriveLock lock(host);
    drive::LockCDTray(host.CDHandle(), 1);
  }
  return job;
}

void UnlockTray(RipHost& host, const RipJob& job) {
  if (!job.lockTray) return;
  DriveLock lock(host);
  drive::LockCDTray(host.CDHandle(), 0);
}

void EndRip(RipHost& host, TrackReader& reader) {
  reader.FreeBuffers();
  host.SetRipInProgress(false);
  for (int wait = 0; wait < 20 && !host.TestDriveReady(); ++wait) Sleep(200);
  host.SetMediaIn();
  host.EnableTick(true);
  host.FlushLog();
  host.RipOver();
}

}  // namespace rip
