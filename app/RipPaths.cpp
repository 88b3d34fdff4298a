#include "RipPaths.h"

#include <windows.h>

#include <algorithm>

namespace app {

namespace {

bool SamePath(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                                b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

std::string ChooseRipName(const std::string& base, const std::string& extension, bool addNew,
                          const std::vector<std::string>& claimed) {
  const auto taken = [&](const std::string& name) {
    const std::string path = name + extension;
    return (addNew && Exists(path)) ||
           std::any_of(claimed.begin(), claimed.end(), [&](const std::string& c) { return SamePath(c, path); });
  };
  if (!taken(base)) return base;
  for (int mark = 1;; ++mark) {
    const std::string name = base + "new" + (mark == 1 ? std::string() : std::to_string(mark));
    if (!taken(name)) return name;
  }
}

bool FileMayBeWritten(const std::string& path) {
  const DWORD folder = GetFileAttributesA(path.substr(0, path.find_last_of("\\/") + 1).c_str());
  if (folder == INVALID_FILE_ATTRIBUTES || (folder & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
  const DWORD file = GetFileAttributesA(path.c_str());
  if (file == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
  return (file & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == 0;
}

}  // namespace app
