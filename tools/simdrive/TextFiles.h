// Small text files: the configuration, the control file, and the file names inside them,
// which are relative to the configuration file's folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace simdrive {

// The whole file, or nullopt when it cannot be read. Other writers may hold it open.
std::optional<std::string> ReadTextFile(const std::string& path);

// Replaces the file's content; false when it cannot be written.
bool WriteTextFile(const std::string& path, std::string_view text);

// The folder part of a file name, with its trailing separator ("" when there is none).
std::string FolderOf(const std::string& path);

// `path` itself when it is absolute ("C:...", "\..." or "/..."), else `folder` + `path`.
std::string ResolvePath(const std::string& folder, const std::string& path);

}  // namespace simdrive
