#include <string>

#include "DriveTransport.h"

namespace drive {

namespace {

HANDLE logFile = nullptr;
constexpr char kLineEnd[] = "\r\n";

}  // namespace

void SetCDLayerLog(HANDLE log) { logFile = log; }

int WriteCDLayerLog(const char* text) {
  if (!logFile) return 0;
  // Text and line end go out in one write: the ripper's threads share this file, and a line
  // must never be split by another writer's line.
  std::string line = text ? text : "";
  line += kLineEnd;
  DWORD written = 0;
  WriteFile(logFile, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  return FlushFileBuffers(logFile);
}

}  // namespace drive
