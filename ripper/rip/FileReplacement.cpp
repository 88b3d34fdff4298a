#include "FileReplacement.h"

#include <windows.h>

namespace rip {

namespace {

constexpr char kSeparators[] = "\\/";

std::string FolderOf(const std::string& path) {
  const std::size_t separator = path.find_last_of(kSeparators);
  return separator == std::string::npos ? "." : path.substr(0, separator + 1);
}

std::string ExtensionOf(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t separator = path.find_last_of(kSeparators);
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return "";
  return path.substr(dot);
}

// An existing file of this name must be one that may be written: not read-only (refused as
// Windows refuses it, also where the system under it would allow it) and not a folder.
bool MayBeReplaced(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
  return (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == 0;
}

}  // namespace

bool FileReplacement::Begin(const std::string& path) {
  Abandon();
  if (!MayBeReplaced(path)) return false;
  char placeholder[MAX_PATH] = {};
  if (GetTempFileNameA(FolderOf(path).c_str(), "rip", 0, placeholder) == 0) return false;
  path_ = path;
  replaces_ = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  placeholder_ = placeholder;
  working_ = placeholder_ + ExtensionOf(path);
  return true;
}

bool FileReplacement::Commit() {
  if (working_.empty()) return false;
  const bool moved = MoveFileExA(working_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
  if (!moved) DeleteFileA(working_.c_str());
  Release();
  return moved;
}

void FileReplacement::Abandon() {
  if (working_.empty()) return;
  DeleteFileA(working_.c_str());
  Release();
}

void FileReplacement::Release() {
  DeleteFileA(placeholder_.c_str());
  path_.clear();
  placeholder_.clear();
  working_.clear();
  replaces_ = false;
}

}  // namespace rip
