#include "DriveSystem.h"

namespace drive {

namespace {

DriveSystemCalls calls = RealDriveSystem();

}  // namespace

DriveSystemCalls RealDriveSystem() {
  return {GetVersionExA, GetDriveTypeA, CreateFileA, DeviceIoControl,
          CloseHandle,      LoadLibraryA,  GetProcAddress, FreeLibrary};
}

const DriveSystemCalls& DriveSystem() { return calls; }

void SetDriveSystemCalls(const DriveSystemCalls& replacement) { calls = replacement; }

}  // namespace drive
