#include <cstdio>
#include <cstring>

#include "AspiRequests.h"
#include "DriveCommands.h"
#include "DriveTransport.h"
#include "PassThrough.h"
#include "ScsiExecute.h"
#include "TransportInternals.h"

namespace drive {

namespace {

constexpr int kCDROMDevice = 5;
constexpr int kLunsPerTarget = 8;

// Number of targets to scan on an adapter: what its inquiry reports, 8 when it reports none,
// 0 when the inquiry fails.
int TargetsToScan(int adapter) {
  aspi::SRB_HAInquiry inquiry{};
  inquiry.SRB_Cmd = aspi::SC_HA_INQUIRY;
  inquiry.SRB_HaId = static_cast<std::uint8_t>(adapter);
  SendAspiRequest(&inquiry);
  if (inquiry.SRB_Status != aspi::SS_COMP) return 0;
  return inquiry.HA_Unique[3] ? inquiry.HA_Unique[3] : 8;
}

void CopyText(char* field, const std::uint8_t* bytes, std::size_t length) {
  std::memcpy(field, bytes, length);
  field[length] = '\0';
}

}  // namespace

int EnumerateCDDrives(DriveList* list) {
  if (!list) return 1;
  const std::uint8_t capacity = list->capacity;
  std::memset(list, 0, sizeof *list);
  list->capacity = capacity;

  const int adapters = GetHostAdapterCount();
  for (int adapter = 0; adapter < adapters; ++adapter) {
    const int targets = TargetsToScan(adapter);
    for (int target = 0; target < targets; ++target) {
      for (int lun = 0; lun < kLunsPerTarget; ++lun) {
        int type = 0;
        if (!GetDeviceType(adapter, target, lun, &type, nullptr, 0) || type != kCDROMDevice)
          continue;
        if (list->count == kMaxListedDrives) return 1;
        DriveListEntry& entry = list->drives[list->count++];
        entry.hostAdapter = static_cast<std::uint8_t>(adapter);
        entry.target = static_cast<std::uint8_t>(target);
        entry.lun = static_cast<std::uint8_t>(lun);
        entry.name[0] = '\0';
        InquireCDDrive(adapter, target, lun, &entry);
      }
    }
  }
  return 1;
}

int InquireCDDrive(int adapter, int target, int lun, DriveListEntry* entry) {
  if (!entry) return kLayerFailure;
  std::uint8_t inquiry[100] = {};
  ScsiCommand command(adapter, target, lun, kFlagsDataIn, {0x12, 0, 0, 0, sizeof inquiry, 0});
  if (RequestResult(ExecuteScsiCommand(command.withData(inquiry, sizeof inquiry))) != kLayerSuccess)
    return kLayerFailure;

  CopyText(entry->vendor, inquiry + 8, 8);
  CopyText(entry->product, inquiry + 16, 16);
  CopyText(entry->revision, inquiry + 32, 4);
  if (GetOSClass() > kOSWindowsME) {
    std::memset(entry->tail, 0, sizeof entry->tail);
    std::snprintf(entry->tail, sizeof entry->tail, "%c:\\",
                  'A' + GetDriveLetterIndex(adapter, target, lun));
  } else {
    CopyText(entry->tail, inquiry + 36, 20);
  }
  std::snprintf(entry->name, sizeof entry->name, "%s, %s v%s (%d:%d:%d)", entry->vendor,
                entry->product, entry->revision, adapter, target, lun);
  return kLayerSuccess;
}

}  // namespace drive
