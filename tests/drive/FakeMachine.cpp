#include "FakeMachine.h"

#include <winioctl.h>
#include <ntddscsi.h>

#include <cstring>

#include "DriveSystem.h"

namespace fake {

namespace {

Machine machine;
aspi::SendASPI32CommandFn simulatedHost = nullptr;
std::map<HANDLE, char> handles;
std::uintptr_t nextHandle = 0x1000;
const HMODULE kLibrary = reinterpret_cast<HMODULE>(0x7700);

struct PassThroughBuffer {
  SCSI_PASS_THROUGH_DIRECT header;
  ULONG filler;
  UCHAR sense[32];
};

BOOL WINAPI GetVersionExFake(OSVERSIONINFOA* info) {
  const DWORD size = info->dwOSVersionInfoSize;
  machine.versionQuerySizes.push_back(size);
  if (size == sizeof(OSVERSIONINFOEXA) ? machine.extendedVersionFails : machine.plainVersionFails)
    return FALSE;
  std::memcpy(info, &machine.version, size);
  info->dwOSVersionInfoSize = size;
  return TRUE;
}

UINT WINAPI GetDriveTypeFake(const char* root) {
  ++machine.driveTypeQueries;
  auto volume = machine.volumes.find(root[0]);
  return volume == machine.volumes.end() ? DRIVE_NO_ROOT_DIR : volume->second.driveType;
}

HANDLE WINAPI CreateFileFake(const char* name, DWORD access, DWORD, SECURITY_ATTRIBUTES*, DWORD,
                             DWORD, HANDLE) {
  const char letter = std::strlen(name) == 6 ? name[4] : 0;
  auto volume = machine.volumes.find(letter);
  if (volume == machine.volumes.end() || !volume->second.opens ||
      (volume->second.opensReadOnlyOnly && (access & GENERIC_WRITE))) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  HANDLE handle = reinterpret_cast<HANDLE>(nextHandle += 4);
  handles[handle] = letter;
  machine.opens.emplace_back(letter, access);
  ++machine.openVolumes;
  return handle;
}

BOOL WINAPI CloseHandleFake(HANDLE handle) {
  if (!handles.erase(handle)) return FALSE;
  --machine.openVolumes;
  return TRUE;
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

BOOL ForwardToSimulatedDrive(Volume& volume, PassThroughBuffer& request) {
  SCSI_PASS_THROUGH_DIRECT& header = request.header;
  aspi::SRB_ExecSCSICmd block{};
  block.SRB_Cmd = aspi::SC_EXEC_SCSI_CMD;
  block.SRB_HaId = static_cast<std::uint8_t>(volume.simAdapter);
  block.SRB_Target = static_cast<std::uint8_t>(volume.simTarget);
  block.SRB_Lun = static_cast<std::uint8_t>(volume.simLun);
  block.SRB_Flags = header.DataIn == 1 ? aspi::SRB_DIR_IN : header.DataIn == 0 ? aspi::SRB_DIR_OUT : 0;
  block.SRB_BufLen = header.DataTransferLength;
  block.SRB_BufPointer = static_cast<std::uint8_t*>(header.DataBuffer);
  block.SRB_SenseLen = aspi::SENSE_LEN;
  block.SRB_CDBLen = header.CdbLength;
  std::memcpy(block.CDBByte, header.Cdb, sizeof block.CDBByte);
  simulatedHost(&block);
  // As the class driver does: a command the device refused still completes the request, with
  // the device's status in the header; a missing device fails the request itself.
  if (block.SRB_Status == aspi::SS_COMP) {
    header.ScsiStatus = 0;
    return TRUE;
  }
  if (block.SRB_Status == aspi::SS_ERR && block.SRB_TargStat != 0) {
    header.ScsiStatus = block.SRB_TargStat;
    return TRUE;
  }
  return Fail(ERROR_IO_DEVICE);
}

BOOL WINAPI DeviceIoControlFake(HANDLE handle, DWORD code, void* in, DWORD inSize, void* out,
                                DWORD outSize, DWORD* returned, OVERLAPPED*) {
  auto open = handles.find(handle);
  if (open == handles.end()) return Fail(ERROR_INVALID_HANDLE);
  Volume& volume = machine.volumes[open->second];
  if (code == IOCTL_SCSI_GET_ADDRESS) {
    if (volume.addressFails || outSize < sizeof(SCSI_ADDRESS)) return Fail(ERROR_INVALID_FUNCTION);
    SCSI_ADDRESS address{sizeof(SCSI_ADDRESS), volume.port, 0, volume.target, volume.lun};
    std::memcpy(out, &address, sizeof address);
    *returned = sizeof address;
    return TRUE;
  }
  if (code != IOCTL_SCSI_PASS_THROUGH_DIRECT || in != out || inSize < sizeof(PassThroughBuffer))
    return Fail(ERROR_INVALID_PARAMETER);
  auto& request = *static_cast<PassThroughBuffer*>(in);
  const SCSI_PASS_THROUGH_DIRECT& header = request.header;
  machine.passThroughCalls.push_back(
      {open->second, header.Length, header.CdbLength, header.SenseInfoLength, header.DataIn,
       header.DataTransferLength, header.TimeOutValue, header.SenseInfoOffset,
       std::vector<UCHAR>(header.Cdb, header.Cdb + header.CdbLength)});
  if (volume.mediaChangedFailures > 0) {
    --volume.mediaChangedFailures;
    return Fail(ERROR_MEDIA_CHANGED);
  }
  if (volume.invalidHandleFailures > 0) {
    --volume.invalidHandleFailures;
    return Fail(ERROR_INVALID_HANDLE);
  }
  if (header.Cdb[0] == 0x12 && volume.inquiryFails) return Fail(ERROR_IO_DEVICE);
  *returned = sizeof request;
  return ForwardToSimulatedDrive(volume, request);
}

HMODULE WINAPI LoadLibraryFake(const char*) {
  if (!machine.libraryPresent) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  ++machine.libraryLoads;
  return kLibrary;
}

FARPROC WINAPI GetProcAddressFake(HMODULE, const char* name) {
  if (machine.missingEntryPoints.count(name)) return nullptr;
  void* entry = nullptr;
  if (std::strcmp(name, "GetASPI32SupportInfo") == 0) entry = reinterpret_cast<void*>(machine.supportInfo);
  if (std::strcmp(name, "SendASPI32Command") == 0) entry = reinterpret_cast<void*>(machine.sendCommand);
  return reinterpret_cast<FARPROC>(entry);
}

BOOL WINAPI FreeLibraryFake(HMODULE) {
  ++machine.libraryFrees;
  return TRUE;
}

}  // namespace

void Machine::SetWindows(DWORD platform, DWORD major, DWORD minor, const char* servicePack) {
  version = {};
  version.dwPlatformId = platform;
  version.dwMajorVersion = major;
  version.dwMinorVersion = minor;
  lstrcpynA(version.szCSDVersion, servicePack, sizeof version.szCSDVersion);
}

Machine& Current() { return machine; }

Machine& Install() {
  machine = Machine{};
  machine.SetWindows(VER_PLATFORM_WIN32_NT, 5, 1);
  drive::SetDriveSystemCalls({GetVersionExFake, GetDriveTypeFake, CreateFileFake,
                              DeviceIoControlFake, CloseHandleFake, LoadLibraryFake,
                              GetProcAddressFake, FreeLibraryFake});
  return machine;
}

void Remove() { drive::SetDriveSystemCalls(drive::RealDriveSystem()); }

void UseSimulatedHost(aspi::SendASPI32CommandFn send) { simulatedHost = send; }

}  // namespace fake
