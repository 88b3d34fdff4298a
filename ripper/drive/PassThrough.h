// NT SCSI pass-through: on the NT family the CD drives are found by their drive letters and
// reached through their volume devices with IOCTL_SCSI_PASS_THROUGH_DIRECT, and this layer
// answers the two ASPI entry points the drive layer calls, as one more ASPI host.
#pragma once

#include <windows.h>

namespace drive {

int IsPassThroughLoaded();
void SetPassThroughLoaded(int loaded);
int HasPassThroughDrives();
void SetPassThroughDrives(int present);

// Builds the drive table from the CD volumes; the number of drives found (0 when already built).
int InitPassThrough();
// Closes the volumes and clears the table; -1.
int TermPassThrough();

// The ASPI entry points: support info (adapter count in bits 0-7, status in bits 8-15) and
// send command (the request's status byte, also stored in the request).
DWORD __cdecl PassThroughSupportInfo();
DWORD __cdecl PassThroughSendCommand(void* request);

// Opens the volume of that drive, unless it is open already.
void OpenPassThroughHandle(int adapter, int target, int lun);
// The drive letter index (0 = A) of the drive at that address; 0 when no drive is there.
int GetDriveLetterIndex(int adapter, int target, int lun);
int FindPassThroughDrive(int adapter, int target, int lun);

}  // namespace drive
