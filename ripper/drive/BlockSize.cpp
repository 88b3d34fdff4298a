#include "BlockSize.h"

#include <cstdint>

#include "DriveHandles.h"
#include "DriveTransport.h"
#include "ScsiExecute.h"
#include "TransportInternals.h"

namespace drive {

namespace {

constexpr std::uint8_t kModeSelect = 0x15;
constexpr std::uint8_t kPageFormat = 0x10;

int SendModeSelect(const DriveRecord& record, std::uint8_t flags, std::uint8_t pageFormat,
                   std::uint8_t listLength, std::uint8_t* list, std::uint32_t listBytes) {
  auto command = CommandTo(record, flags, {kModeSelect, pageFormat, 0, 0, listLength, 0});
  return RequestResult(ExecuteScsiCommand(command.withData(list, listBytes)));
}

}  // namespace

int SetAudioBlockSize(int handle) {
  DriveRecord* record = OpenDriveOrFail(handle);
  if (!record) return kLayerFailure;
  std::uint8_t list[12] = {0, 0, 0, 8, 0x00, 0, 0, 0, 0, 0x00, 0x09, 0x30};
  const int result = SendModeSelect(*record, kFlagsNoData, 0, sizeof list, list, sizeof list);
  if (result == kLayerSuccess) record->restoreFunction = RestoreBlockSize;
  return result;
}

int SetAudioBlockSize2(int handle) {
  DriveRecord* record = OpenDriveOrFail(handle);
  if (!record) return kLayerFailure;
  std::uint8_t first[20] = {0, 0, 0, 8, 0x00, 0, 0, 0, 0, 0x00, 0x09, 0x30,
                            0x23, 6, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80};
  std::uint8_t second[20] = {0, 0, 0, 8, 0x00, 0, 0, 0, 0, 0x00, 0x09, 0x30,
                             0x01, 6, 0x20, 0x07, 0x00, 0x00, 0x00, 0x00};
  for (std::uint8_t* list : {first, second}) {
    if (SendModeSelect(*record, kFlagsNoData, kPageFormat, 20, list, 20) != kLayerSuccess)
      return kLayerFailure;
  }
  record->restoreFunction = RestoreBlockSize;
  return kLayerSuccess;
}

int SetD4BlockMode(int handle) {
  DriveRecord* record = OpenDriveOrFail(handle);
  if (!record) return kLayerFailure;
  // The drive is told to take the first 8 bytes: a header without a block descriptor.
  std::uint8_t list[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x09, 0x30};
  return SendModeSelect(*record, kFlagsNoData, kPageFormat, 8, list, sizeof list);
}

int RestoreBlockSize(int handle) {
  DriveRecord* record = OpenDriveOrFail(handle);
  if (!record) return kLayerFailure;
  record->blockModeSet = 0;
  std::uint8_t list[12] = {0, 0, 0, 8, 0x53, 0, 0, 0, 0, 0x00, 0x08, 0x00};
  return SendModeSelect(*record, kFlagsRestore, 0, sizeof list, list, sizeof list);
}

}  // namespace drive
