#include "TestFiles.h"

#include <windows.h>

#include "SimConfig.h"
#include "TextFiles.h"

namespace simdrive {

std::string ScratchPath(std::string_view name) {
  char folder[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof folder, folder);
  std::string path(folder, length > 0 && length < sizeof folder ? length : 0);
  return path + "simdrive-" + std::to_string(GetCurrentProcessId()) + "-" + std::string(name);
}

bool UseConfig(const std::string& path, std::string_view text) {
  static unsigned generation = 0;
  const std::string content = std::string(text) + "# generation " + std::to_string(++generation) + "\n";
  return WriteTextFile(path, content) && SetEnvironmentVariableA(kConfigVariable, path.c_str());
}

std::vector<std::string> ReadLogLines(const std::string& path) {
  std::vector<std::string> lines;
  const std::string text = ReadTextFile(path).value_or(std::string());
  std::size_t pos = 0;
  while (pos < text.size()) {
    auto end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    pos = end + 1;
  }
  return lines;
}

}  // namespace simdrive
