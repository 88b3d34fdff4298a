// Drive transport: the one way the drive layer sends a SCSI command to a CD drive (the ASPI
// request interface, served by WNASPI32.DLL or by the NT pass-through), the layer's start and
// stop, its last-error variables, the Windows version classification and the layer's log.
// Every function of the drive layer returns 1 for success and 4 for failure unless it says
// otherwise, and keeps the cause in the last error, which a success never resets.
#pragma once

#include <windows.h>

#include <cstdint>

namespace drive {

constexpr int kLayerSuccess = 1;
constexpr int kLayerFailure = 4;

// The drive layer's last-error codes.
constexpr int kErrNoAspiLibrary = -1;    // WNASPI32.DLL could not be loaded
constexpr int kErrNoSupportInfo = -2;    // the library has no GetASPI32SupportInfo
constexpr int kErrNoSendCommand = -3;    // the library has no SendASPI32Command
constexpr int kErrRequestFailed = -4;    // a request ended with a status other than 1
constexpr int kErrBufferTooSmall = -6;   // the read buffer cannot take the frames asked for
constexpr int kErrBadHandle = -7;        // the drive handle is outside 1..16 or not in use
constexpr int kErrNoFreeHandle = -8;     // all 16 drive handles are in use
constexpr int kErrNotCDROM = -10;        // the device is not a CD-ROM
constexpr int kErrAlreadyOpen = -12;     // the drive is open under another handle
constexpr int kErrNoOpenRequest = -13;   // no open request was given
constexpr int kErrBadOpenRequest = -14;  // the open request is not version 1 or too short
constexpr int kErrNoOverlapMatch = -15;  // jitter correction found no overlap match

// Windows version classes; classes above kOSWindowsME are the NT family.
constexpr int kOSOther = 0;
constexpr int kOSWindows95 = 1;
constexpr int kOSWindows98 = 2;
constexpr int kOSWindowsME = 3;
constexpr int kOSWindowsNT4 = 4;
constexpr int kOSWindows2000 = 5;
constexpr int kOSWindowsXP = 6;

// Mode 1 starts the layer, mode 0 stops it; 1 when that happened, 0 otherwise.
int InitCDLayer(int mode, int forceASPI);
int IsTransportReady();
int GetOSClass();

// The log file belongs to the caller; null turns the layer's log off.
void SetCDLayerLog(HANDLE log);
int WriteCDLayerLog(const char* text);

// Number of host adapters, or -1 (last error -4) when the support-info answer is an error.
int GetHostAdapterCount();
// 1 with the peripheral device type and its name, else 0 with type 31.
int GetDeviceType(int adapter, int target, int lun, int* outType, char* outName, int nameSize);
const char* GetDeviceTypeName(int type);

int GetCDLayerLastError();
std::uint8_t GetCDLayerLastStatus();

}  // namespace drive
