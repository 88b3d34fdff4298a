// Files a test shares with the simulated host: the configuration it points SIMDRIVE_CONFIG at,
// the control file, and the command log it reads back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "TextFiles.h"  // WriteTextFile for control files

namespace simdrive {

// A file name in the temporary folder, unique to this process, so test programs running at
// the same time never share files: "%TEMP%\simdrive-<process id>-<name>".
std::string ScratchPath(std::string_view name);

// Writes the configuration to `path` and sets SIMDRIVE_CONFIG to it. Each call adds a
// generation comment, so the next GetASPI32SupportInfo loads fresh drives even when the
// text is the same as before.
bool UseConfig(const std::string& path, std::string_view text);

// The lines of a command log (empty when there is no log yet).
std::vector<std::string> ReadLogLines(const std::string& path);

}  // namespace simdrive
