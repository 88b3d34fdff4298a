// The one simulated host of the process. Its state (discs, trays, block lengths, command
// counts) lives as long as the process, as a real ASPI driver's does: the module pins itself,
// so the drive layer's unloading and reloading of the library keeps the drives as they are.
// GetASPI32SupportInfo reloads the host, with fresh drives, whenever the configuration file's
// name or content changed.
#pragma once

#include <windows.h>

namespace simdrive {

DWORD HostSupportInfo();
DWORD HostSendCommand(void* request);

}  // namespace simdrive
