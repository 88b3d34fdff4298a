// The few system calls the drive layer makes to find its transport: the Windows version, drive
// types, CD volume devices and their SCSI pass-through, and loading the ASPI library. They go
// through one table so a test can put a fake machine (volumes that forward to a simulated drive,
// any Windows version, a missing library) under the real layer.
#pragma once

#include <windows.h>

#include "com/Handles.h"

namespace drive {

struct DriveSystemCalls {
  BOOL(WINAPI* getVersionEx)(OSVERSIONINFOA* info);
  UINT(WINAPI* getDriveType)(const char* root);
  HANDLE(WINAPI* createFile)(const char* name, DWORD access, DWORD share,
                             SECURITY_ATTRIBUTES* security, DWORD disposition, DWORD attributes,
                             HANDLE templateFile);
  BOOL(WINAPI* deviceIoControl)(HANDLE device, DWORD code, void* in, DWORD inSize, void* out,
                                DWORD outSize, DWORD* returned, OVERLAPPED* overlapped);
  BOOL(WINAPI* closeHandle)(HANDLE handle);
  HMODULE(WINAPI* loadLibrary)(const char* name);
  FARPROC(WINAPI* getProcAddress)(HMODULE module, const char* name);
  BOOL(WINAPI* freeLibrary)(HMODULE module);
};

// The calls in use: the Win32 functions unless a test installed others.
const DriveSystemCalls& DriveSystem();
// Installs other calls (a test's fake machine); the real ones come back with RealDriveSystem().
void SetDriveSystemCalls(const DriveSystemCalls& calls);
DriveSystemCalls RealDriveSystem();

// A volume device handle (INVALID_HANDLE_VALUE when none), closed through the table.
inline void CloseVolume(HANDLE handle) { DriveSystem().closeHandle(handle); }
using VolumeHandle = com::unique_any<HANDLE, CloseVolume, -1>;

// The ASPI library, freed through the table.
inline void FreeAspiLibrary(HMODULE module) { DriveSystem().freeLibrary(module); }
using LibraryHandle = com::unique_any<HMODULE, FreeAspiLibrary>;

}  // namespace drive
