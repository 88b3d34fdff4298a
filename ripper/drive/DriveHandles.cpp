#include "DriveHandles.h"

#include "DriveCommands.h"
#include "DriveTransport.h"
#include "PassThrough.h"
#include "TransportInternals.h"

namespace drive {

namespace {

constexpr int kCDROMDevice = 5;

DriveRecord records[kMaxDriveHandles];

ReadFunction ReadFunctionOf(int readClass) {
  switch (readClass) {
    case CDRT_ATAPI1:
    case CDRT_ATAPI2: return ReadCDAudioLBA_ATAPI;
    case CDRT_READ6:
    case CDRT_READ10:
    case CDRT_READ10_2: return ReadCDAudioLBA_READ10;
    case CDRT_READ_D8: return ReadCDAudioLBA_D8;
    case CDRT_READ_D4:
    case CDRT_READ_D4_1: return ReadCDAudioLBA_D4;
    default: return ReadCDAudioLBA_ANY;
  }
}

bool IsOpen(int adapter, int target, int lun) {
  for (const DriveRecord& record : records)
    if (record.inUse && record.hostAdapter == adapter && record.target == target &&
        record.lun == lun)
      return true;
  return false;
}

int Fail(int code) {
  SetCDLayerError(code);
  return 0;
}

}  // namespace

DriveRecord* FindOpenDrive(int handle) {
  if (handle < 1 || handle > kMaxDriveHandles || !records[handle - 1].inUse) return nullptr;
  return &records[handle - 1];
}

DriveRecord* OpenDriveOrFail(int handle) {
  DriveRecord* record = FindOpenDrive(handle);
  if (!record) SetCDLayerError(kErrBadHandle);
  return record;
}

void SelectReadClass(DriveRecord& record, int readClass) {
  if (readClass < CDRT_ATAPI1 || readClass > CDRT_READ10_2) readClass = CDRT_ANY;
  record.readClass = static_cast<std::uint8_t>(readClass);
  record.readFunction = ReadFunctionOf(readClass);
}

std::uint8_t ControlByte(const DriveRecord& record) {
  return record.readClass == CDRT_ATAPI1 ? 0x10 : 0xF0;
}

ScsiCommand CommandTo(const DriveRecord& record, std::uint8_t flags,
                      std::initializer_list<std::uint8_t> cdb) {
  return ScsiCommand(record.hostAdapter, record.target, record.lun, flags, cdb);
}

int OpenCDDrive(const OpenRequest* request) {
  if (!request) return Fail(kErrNoOpenRequest);
  if (request->version != 1 || request->size < sizeof(OpenRequest)) return Fail(kErrBadOpenRequest);
  const int adapter = request->hostAdapter;
  const int target = request->target;
  const int lun = request->lun;
  if (IsOpen(adapter, target, lun)) return Fail(kErrAlreadyOpen);

  int type = 0;
  GetDeviceType(adapter, target, lun, &type, nullptr, 0);
  if (type != kCDROMDevice) {
    if (GetCDLayerLastError() == 0) SetCDLayerError(kErrNotCDROM);
    return 0;
  }

  for (int index = 0; index < kMaxDriveHandles; ++index) {
    DriveRecord& record = records[index];
    if (record.inUse) continue;
    record = DriveRecord{};
    record.hostAdapter = request->hostAdapter;
    record.target = request->target;
    record.lun = request->lun;
    record.inUse = 1;
    record.jitterMatchFrames = request->jitterMatchFrames;
    record.jitterReadBackFrames = request->jitterReadBackFrames;
    SelectReadClass(record, request->readClass);
    if (HasPassThroughDrives()) OpenPassThroughHandle(adapter, target, lun);
    return index + 1;
  }
  return Fail(kErrNoFreeHandle);
}

int CloseCDDrive(int handle) {
  DriveRecord* record = FindOpenDrive(handle);
  if (!record) return 0;
  if (record->restoreFunction) record->restoreFunction(handle);
  *record = DriveRecord{};
  return 1;
}

int SetDriveOption(int handle, int code, int value) {
  DriveRecord* record = OpenDriveOrFail(handle);
  if (!record) return 0;
  switch (code) {
    case ' ': return SetCDSpeed(handle, value) == kLayerSuccess ? 1 : 0;
    case '$': record->tocAddressingMSF = value; return 1;
    case '%': record->jitterReadBackFrames = value; return 1;
    case '&': record->jitterMatchFrames = value; return 1;
    case '\'': return 1;
    default: return 0;
  }
}

}  // namespace drive
