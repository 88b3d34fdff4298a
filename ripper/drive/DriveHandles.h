// The table of open drives behind the handles 1..16.
#pragma once

#include <cstdint>

#include "AudioReads.h"
#include "ScsiExecute.h"

namespace drive {

using ReadFunction = int (*)(int handle, ReadBuffer* buffer);
using RestoreFunction = int (*)(int handle);

struct DriveRecord {
  std::uint8_t hostAdapter;
  std::uint8_t target;
  std::uint8_t lun;
  std::uint8_t readClass;
  int inUse;
  int tocAddressingMSF;
  int blockModeSet;
  ReadFunction readFunction;
  RestoreFunction restoreFunction;
  int jitterMatchFrames;
  int jitterReadBackFrames;
};

// The record of an open handle, or null for a handle outside 1..16 or not in use.
DriveRecord* FindOpenDrive(int handle);
// The same, recording last error -7 when there is none.
DriveRecord* OpenDriveOrFail(int handle);
void SelectReadClass(DriveRecord& record, int readClass);
// CDB control byte of several commands: 0x10 for CDRT_ATAPI1 drives, else 0xF0.
std::uint8_t ControlByte(const DriveRecord& record);
// An execute request to the drive's adapter, target and LUN.
ScsiCommand CommandTo(const DriveRecord& record, std::uint8_t flags,
                      std::initializer_list<std::uint8_t> cdb);

}  // namespace drive
