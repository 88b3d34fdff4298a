// A fake machine under the drive layer, installed through its system-call table: any Windows
// version, drive letters with CD volumes whose SCSI pass-through requests go to a simulated
// drive (or fail as a test asks), and an ASPI library that may be missing or incomplete.
#pragma once

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "AspiRequests.h"

namespace fake {

// A CD volume "\\.\X:". Its SCSI address is what IOCTL_SCSI_GET_ADDRESS answers; its commands
// are sent to the simulated drive at `simAdapter:simTarget:simLun`.
struct Volume {
  UINT driveType = DRIVE_CDROM;
  bool opens = true;
  bool opensReadOnlyOnly = false;  // an open asking for the write right fails
  bool inquiryFails = false;
  bool addressFails = false;
  UCHAR port = 0, target = 0, lun = 0;
  int simAdapter = 0, simTarget = 0, simLun = 0;
  int mediaChangedFailures = 0;  // the next requests that fail with ERROR_MEDIA_CHANGED
  int invalidHandleFailures = 0;  // the next requests that fail with ERROR_INVALID_HANDLE
};

// One pass-through request as the volume saw it.
struct PassThroughCall {
  char letter = 0;
  USHORT length = 0;
  UCHAR cdbLength = 0;
  UCHAR senseLength = 0;
  UCHAR direction = 0;
  ULONG transferLength = 0;
  ULONG timeOut = 0;
  ULONG senseOffset = 0;
  std::vector<UCHAR> cdb;
};

struct Machine {
  OSVERSIONINFOEXA version{};
  bool extendedVersionFails = false;
  bool plainVersionFails = false;
  std::vector<DWORD> versionQuerySizes;

  std::map<char, Volume> volumes;  // by drive letter
  int driveTypeQueries = 0;
  std::vector<std::pair<char, DWORD>> opens;  // letter and access of each successful open
  int openVolumes = 0;                        // handles open now
  std::vector<PassThroughCall> passThroughCalls;

  bool libraryPresent = true;
  std::set<std::string> missingEntryPoints;
  aspi::GetASPI32SupportInfoFn supportInfo = nullptr;
  aspi::SendASPI32CommandFn sendCommand = nullptr;
  int libraryLoads = 0;
  int libraryFrees = 0;

  void SetWindows(DWORD platform, DWORD major, DWORD minor, const char* servicePack = "");
};

// The machine the fake system calls answer from; Install() puts a fresh one under the layer
// and Remove() gives the layer the real system back.
Machine& Current();
Machine& Install();
void Remove();

// Forwards pass-through requests to WNASPI32.DLL, the simulated host.
void UseSimulatedHost(aspi::SendASPI32CommandFn send);

}  // namespace fake
