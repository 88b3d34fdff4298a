#include "CdPlayerIniFile.h"

#include <windows.h>

#include <fstream>

namespace test_support {

std::string RawCdPlayerIniValue(const std::string& section, const std::string& key) {
  char folder[MAX_PATH];
  GetWindowsDirectoryA(folder, sizeof folder);
  std::ifstream file(std::string(folder) + "\\" + kCdPlayerIni, std::ios::binary);
  bool inSection = false;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') inSection = line == "[" + section + "]";
    else if (inSection && line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  }
  return "<none>";
}

}  // namespace test_support
