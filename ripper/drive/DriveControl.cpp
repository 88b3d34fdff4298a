#include "DriveCommands.h"
#include "DriveHandles.h"
#include "DriveTransport.h"
#include "ScsiExecute.h"
#include "TransportInternals.h"

namespace drive {

namespace {

std::uint8_t Byte(int value, int shift) { return static_cast<std::uint8_t>(value >> shift); }

}  // namespace

int ReadDiscTOC(int handle, TOCRecord* toc) {
  DriveRecord* record = OpenDriveOrFail(handle);
  if (!record) return kLayerFailure;
  if (!toc) {
    SetCDLayerError(kErrBufferTooSmall);
    return kLayerFailure;
  }
  const std::uint8_t msf = record->tocAddressingMSF ? 0x02 : 0x00;
  auto command = CommandTo(*record, kFlagsDataIn, {0x43, msf, 0, 0, 0, 0, 0, 0x03, 0x24, 0});
  return RequestResult(ExecuteScsiCommand(command.withData(toc, sizeof(TOCRecord))));
}

int SetCDSpeed(int handle, int speed) {
  DriveRecord* record = OpenDriveOrFail(handle);
  if (!record) return kLayerFailure;
  const std::uint8_t high = Byte(speed, 8);
  const std::uint8_t low = Byte(speed, 0);
  return RequestResult(ExecuteScsiCommand(
      CommandTo(*record, kFlagsDataOut, {0xBB, 0, high, low, high, low, 0, 0, 0, 0, 0, 0})));
}

int LockCDTray(int handle, int lock) {
  DriveRecord* record = OpenDriveOrFail(handle);
  if (!record) return kLayerFailure;
  const std::uint8_t prevent = lock ? 0x01 : 0x00;
  return RequestResult(ExecuteScsiCommand(
      CommandTo(*record, kFlagsDataOut, {0x1E, 0, 0, 0, prevent, ControlByte(*record)})));
}

int StartStopCDUnit(int handle, int loadEject, int start) {
  DriveRecord* record = OpenDriveOrFail(handle);
  if (!record) return kLayerFailure;
  const std::uint8_t operation = (loadEject ? 0x02 : 0x00) | (start ? 0x01 : 0x00);
  return RequestResult(ExecuteScsiCommand(CommandTo(
      *record, kFlagsNoData, {0x1B, 0x01, 0, 0, operation, 0, 0, 0, 0, 0, 0, ControlByte(*record)})));
}

int TestCDUnitReady(int handle) {
  DriveRecord* record = OpenDriveOrFail(handle);
  if (!record) return kLayerFailure;
  std::uint8_t status = ExecuteScsiCommand(
      CommandTo(*record, kFlagsDataIn, {0, 0, 0, 0, 0, 0x10, 0, 0, 0, 0, 0, 0}));
  // The ten-byte form is for drives that refuse the twelve-byte one, not for a drive that did
  // not answer at all.
  if (status != 1 && !LastRequestTimedOut())
    status = ExecuteScsiCommand(CommandTo(*record, kFlagsDataIn, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0x10}));
  return status;
}

int PauseResumeCD(int handle, int pause) {
  DriveRecord* record = OpenDriveOrFail(handle);
  if (!record) return kLayerFailure;
  const std::uint8_t resume = pause ? 0x00 : 0x01;
  return RequestResult(ExecuteScsiCommand(
      CommandTo(*record, kFlagsNoData, {0x4B, 0, 0, 0, 0, 0, 0, 0, resume, 0})));
}

}  // namespace drive
