#include "CommandLog.h"

#include "Diagnostics.h"

namespace simdrive {

CommandLog::CommandLog(const std::string& path)
    : file_(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {
  if (!file_) ReportProblem("cannot open the command log \"" + path + "\" (error " + std::to_string(GetLastError()) + ")");
}

void CommandLog::Write(const std::string& line) {
  if (!file_) return;
  const std::string text = line + "\r\n";
  DWORD written = 0;
  WriteFile(file_.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace simdrive
