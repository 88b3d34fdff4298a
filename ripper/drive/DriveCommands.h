// Drive enumeration and SCSI control commands: the list of CD drives with their display names,
// and READ TOC, SET CD SPEED, PREVENT/ALLOW MEDIUM REMOVAL, START STOP UNIT, TEST UNIT READY,
// PAUSE/RESUME and the disc type drawn from READ TRACK INFORMATION. Every command but the
// enumeration works on a drive handle opened by OpenCDDrive (AudioReads.h).
#pragma once

#include <cstdint>

namespace drive {

constexpr int kMaxListedDrives = 8;

#pragma pack(push, 1)

struct DriveListEntry {
  std::uint8_t hostAdapter;
  std::uint8_t target;
  std::uint8_t lun;
  char name[65];      // "vendor, product vrevision (adapter:target:lun)"
  char vendor[9];
  char product[17];
  char revision[5];
  // The 20 vendor-specific INQUIRY bytes and a zero; on the NT family the drive's root path.
  char tail[21];
  std::uint8_t unused;
};

struct DriveList {
  std::uint8_t capacity;  // kept as the caller set it
  std::uint8_t count;
  DriveListEntry drives[kMaxListedDrives];
};

// One track of the READ TOC (format 0) answer; the entry after the last track is the lead-out.
struct TOCTrack {
  std::uint8_t reserved;
  std::uint8_t adrControl;  // control bit 0x04 marks a data track
  std::uint8_t trackNumber;
  std::uint8_t reserved2;
  std::uint8_t address[4];  // LBA big-endian, or 0, M, S, F
};

struct TOCRecord {
  std::uint8_t dataLength[2];  // big-endian
  std::uint8_t firstTrack;
  std::uint8_t lastTrack;
  TOCTrack tracks[100];
};

#pragma pack(pop)

static_assert(sizeof(DriveListEntry) == 121);
static_assert(sizeof(DriveList) == 970);
static_assert(sizeof(TOCRecord) == 804);

// Disc types, as the ripper's type library numbers them.
constexpr int kDiscUnrecognized = 0;
constexpr int kDiscRedBook = 1;
constexpr int kDiscYellowBook = 2;
constexpr int kDiscOrangeBook = 3;
constexpr int kDiscBlueBook = 5;

// Lists up to 8 CD drives; 1 always.
int EnumerateCDDrives(DriveList* list);
int InquireCDDrive(int adapter, int target, int lun, DriveListEntry* entry);

int ReadDiscTOC(int handle, TOCRecord* toc);
// Speed in kilobytes per second, for reading and writing.
int SetCDSpeed(int handle, int speed);
int LockCDTray(int handle, int lock);
int StartStopCDUnit(int handle, int loadEject, int start);
// The status byte of the last request sent (1 = ready).
int TestCDUnitReady(int handle);
int PauseResumeCD(int handle, int pause);
int GetDiscType(int handle, int trackCount);

}  // namespace drive
