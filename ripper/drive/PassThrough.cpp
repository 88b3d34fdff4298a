#include "PassThrough.h"

#include <winioctl.h>
#include <ntddscsi.h>

#include <algorithm>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "AspiRequests.h"
#include "DriveSystem.h"

namespace drive {

namespace {

constexpr int kFirstLetter = 2;  // C
constexpr int kLetterCount = 26;
constexpr std::size_t kCachedInquiryBytes = 36;

struct PassThroughDrive {
  std::uint8_t hostAdapter = 0;
  std::uint8_t target = 0;
  std::uint8_t lun = 0;
  std::uint8_t letterIndex = 0;
  int inUse = 0;
  VolumeHandle volume;
  std::uint8_t inquiry[kCachedInquiryBytes] = {};
};

struct PassThroughTable {
  PassThroughDrive drives[kLetterCount];
  std::uint8_t adapterCount = 0;
};

PassThroughTable table;
int loadedFlag = 0;
int drivesFlag = 0;

// The pass-through header with the sense area behind it, as one in/out buffer.
struct PassThroughBuffer {
  SCSI_PASS_THROUGH_DIRECT header;
  ULONG filler;
  UCHAR sense[32];
};
#if !defined(_WIN64)
static_assert(sizeof(SCSI_PASS_THROUGH_DIRECT) == 44);
static_assert(offsetof(PassThroughBuffer, sense) == 48);
static_assert(sizeof(PassThroughBuffer) == 80);
#endif
static_assert(sizeof(SCSI_ADDRESS) == 8);

constexpr UCHAR kDataOut = 0;
constexpr UCHAR kDataIn = 1;
constexpr UCHAR kDataUnspecified = 2;
constexpr std::uint8_t kInquiry = 0x12;
constexpr std::uint8_t kStatusGood = 0;

void ClearTable() {
  for (PassThroughDrive& drive : table.drives) drive = PassThroughDrive{};
  table.adapterCount = 0;
}

VolumeHandle OpenVolumeDevice(int letterIndex) {
  char name[8];
  std::snprintf(name, sizeof name, "\\\\.\\%c:", 'A' + letterIndex);
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  const bool readWrite = DriveSystem().getVersionEx(&version) &&
                         version.dwPlatformId == VER_PLATFORM_WIN32_NT &&
                         version.dwMajorVersion > 4;
  DWORD access = GENERIC_READ | (readWrite ? GENERIC_WRITE : 0);
  HANDLE handle = DriveSystem().createFile(name, access, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                           0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    access ^= GENERIC_WRITE;
    handle = DriveSystem().createFile(name, access, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                      nullptr);
  }
  return VolumeHandle(handle);
}

// Sends one pass-through request: 0 when the command ran (its SCSI status is in the header),
// else the system error.
DWORD SendPassThrough(HANDLE volume, PassThroughBuffer& buffer) {
  DWORD returned = 0;
  if (DriveSystem().deviceIoControl(volume, IOCTL_SCSI_PASS_THROUGH_DIRECT, &buffer,
                                    sizeof buffer, &buffer, sizeof buffer, &returned, nullptr))
    return 0;
  return GetLastError();
}

PassThroughBuffer MakeHeader(UCHAR cdbLength, UCHAR direction, void* data, ULONG length,
                             ULONG timeOutSeconds) {
  PassThroughBuffer buffer{};
  buffer.header.Length = sizeof(SCSI_PASS_THROUGH_DIRECT);
  buffer.header.CdbLength = cdbLength;
  buffer.header.DataIn = direction;
  buffer.header.DataTransferLength = length;
  buffer.header.TimeOutValue = timeOutSeconds;
  buffer.header.DataBuffer = data;
  buffer.header.SenseInfoOffset = offsetof(PassThroughBuffer, sense);
  return buffer;
}

int GetVolumeSCSIAddress(int letterIndex, PassThroughDrive& drive) {
  VolumeHandle volume = OpenVolumeDevice(letterIndex);
  if (!volume) return 0;
  std::uint8_t inquiry[100] = {};
  PassThroughBuffer buffer = MakeHeader(6, kDataIn, inquiry, sizeof inquiry, 2);
  buffer.header.SenseInfoLength = 24;
  const UCHAR cdb[] = {kInquiry, 0, 0, 0, sizeof inquiry, 0};
  std::memcpy(buffer.header.Cdb, cdb, sizeof cdb);
  if (SendPassThrough(volume.get(), buffer) != 0 || buffer.header.ScsiStatus != kStatusGood)
    return 0;

  std::memcpy(drive.inquiry, inquiry, kCachedInquiryBytes);
  SCSI_ADDRESS address{};
  DWORD returned = 0;
  if (!DriveSystem().deviceIoControl(volume.get(), IOCTL_SCSI_GET_ADDRESS, nullptr, 0, &address,
                                     sizeof address, &returned, nullptr)) {
    drive.inUse = 0;
    return 0;
  }
  drive.hostAdapter = address.PortNumber;
  drive.target = address.TargetId;
  drive.lun = address.Lun;
  drive.letterIndex = static_cast<std::uint8_t>(letterIndex);
  drive.inUse = 1;
  drive.volume.reset();
  return 1;
}

std::uint8_t CountPassThroughAdapters() {
  std::bitset<256> present;
  present.set(0);
  for (const PassThroughDrive& drive : table.drives)
    if (drive.inUse) present.set(drive.hostAdapter);
  return static_cast<std::uint8_t>(present.count());
}

template <typename Request>
std::uint8_t Finish(Request& request, std::uint8_t status) {
  request.SRB_Status = status;
  return status;
}

std::uint8_t PassThroughHAInquiry(aspi::SRB_HAInquiry& request) {
  request.HA_Count = table.adapterCount;
  if (request.SRB_HaId >= table.adapterCount)
    return Finish(request, aspi::SS_INVALID_HA);
  request.HA_SCSI_ID = 7;
  std::memcpy(request.HA_ManagerId, "ZUMASPI v0.000001", sizeof request.HA_ManagerId);
  std::memcpy(request.HA_Identifier, "SCSI Adapter    ", sizeof request.HA_Identifier);
  request.HA_Identifier[13] = static_cast<std::uint8_t>('0' + request.SRB_HaId);
  std::memset(request.HA_Unique, 0, sizeof request.HA_Unique);
  request.HA_Unique[3] = 8;  // targets per adapter
  const std::uint32_t maxTransfer = 0x10000;
  std::memcpy(request.HA_Unique + 4, &maxTransfer, sizeof maxTransfer);
  return Finish(request, aspi::SS_COMP);
}

std::uint8_t PassThroughGetDeviceType(aspi::SRB_GDEVBlock& request) {
  const bool known = FindPassThroughDrive(request.SRB_HaId, request.SRB_Target, request.SRB_Lun);
  request.SRB_DeviceType = known ? 5 : 31;
  return Finish(request,
                known ? aspi::SS_COMP : aspi::SS_NO_DEVICE);
}

UCHAR DirectionOf(std::uint8_t flags) {
  if (flags & aspi::SRB_DIR_IN) return kDataIn;
  if (flags & aspi::SRB_DIR_OUT) return kDataOut;
  return kDataUnspecified;
}

std::uint8_t PassThroughExecSCSI(aspi::SRB_ExecSCSICmd& request) {
  const int index = FindPassThroughDrive(request.SRB_HaId, request.SRB_Target, request.SRB_Lun);
  if (!index) return Finish(request, aspi::SS_ERR);
  PassThroughDrive& drive = table.drives[index];

  if (request.CDBByte[0] == kInquiry) {
    // Never more than the caller's buffer holds, however many bytes the cache has.
    if (request.SRB_BufPointer)
      std::memcpy(request.SRB_BufPointer, drive.inquiry,
                  std::min<std::size_t>(kCachedInquiryBytes, request.SRB_BufLen));
    return Finish(request, aspi::SS_COMP);
  }

  for (int attempt = 0;; ++attempt) {
    if (!drive.volume) drive.volume = OpenVolumeDevice(index);
    PassThroughBuffer buffer = MakeHeader(request.SRB_CDBLen, DirectionOf(request.SRB_Flags),
                                          request.SRB_BufPointer, request.SRB_BufLen, 5);
    std::memcpy(buffer.header.Cdb, request.CDBByte, sizeof buffer.header.Cdb);
    const DWORD error = SendPassThrough(drive.volume.get(), buffer);
    if (error == 0) {
      // The device ran the command; a check condition is still a failed command.
      if (buffer.header.ScsiStatus == kStatusGood) return Finish(request, aspi::SS_COMP);
      request.SRB_TargStat = buffer.header.ScsiStatus;
      return Finish(request, aspi::SS_ERR);
    }
    request.SRB_TargStat = aspi::SS_ERR;
    Finish(request, aspi::SS_ERR);
    const bool retry = attempt == 0 && (error == ERROR_MEDIA_CHANGED || error == ERROR_INVALID_HANDLE);
    if (!retry) return aspi::SS_ERR;
    if (error == ERROR_MEDIA_CHANGED) drive.volume.reset();
    GetVolumeSCSIAddress(index, drive);
  }
}

}  // namespace

int IsPassThroughLoaded() { return loadedFlag; }
void SetPassThroughLoaded(int loaded) { loadedFlag = loaded; }
int HasPassThroughDrives() { return drivesFlag; }
void SetPassThroughDrives(int present) { drivesFlag = present; }

int InitPassThrough() {
  if (IsPassThroughLoaded()) return 0;
  ClearTable();
  int found = 0;
  for (int letter = kFirstLetter; letter < kLetterCount; ++letter) {
    char root[4];
    std::snprintf(root, sizeof root, "%c:\\", 'A' + letter);
    if (DriveSystem().getDriveType(root) != DRIVE_CDROM) continue;
    GetVolumeSCSIAddress(letter, table.drives[letter]);
    if (table.drives[letter].inUse) ++found;
  }
  table.adapterCount = CountPassThroughAdapters();
  SetPassThroughLoaded(1);
  if (found > 0) SetPassThroughDrives(1);
  return found;
}

int TermPassThrough() {
  ClearTable();
  SetPassThroughLoaded(0);
  return -1;
}

DWORD __cdecl PassThroughSupportInfo() {
  return table.adapterCount ? (aspi::SS_COMP << 8) | table.adapterCount
                            : aspi::SS_NO_ADAPTERS << 8;
}

DWORD __cdecl PassThroughSendCommand(void* request) {
  if (!request) return aspi::SS_ERR;
  auto& header = *static_cast<aspi::SRB_Header*>(request);
  switch (header.SRB_Cmd) {
    case aspi::SC_HA_INQUIRY:
      return PassThroughHAInquiry(*static_cast<aspi::SRB_HAInquiry*>(request));
    case aspi::SC_GET_DEV_TYPE:
      return PassThroughGetDeviceType(*static_cast<aspi::SRB_GDEVBlock*>(request));
    case aspi::SC_EXEC_SCSI_CMD:
      return PassThroughExecSCSI(*static_cast<aspi::SRB_ExecSCSICmd*>(request));
    default:
      return Finish(header, aspi::SS_ERR);
  }
}

void OpenPassThroughHandle(int adapter, int target, int lun) {
  const int index = FindPassThroughDrive(adapter, target, lun);
  if (index && !table.drives[index].volume) table.drives[index].volume = OpenVolumeDevice(index);
}

int GetDriveLetterIndex(int adapter, int target, int lun) {
  const int index = FindPassThroughDrive(adapter, target, lun);
  return index ? table.drives[index].letterIndex : 0;
}

int FindPassThroughDrive(int adapter, int target, int lun) {
  for (int letter = kFirstLetter; letter < kLetterCount; ++letter) {
    const PassThroughDrive& drive = table.drives[letter];
    if (drive.inUse && drive.hostAdapter == adapter && drive.target == target && drive.lun == lun)
      return letter;
  }
  return 0;
}

}  // namespace drive
