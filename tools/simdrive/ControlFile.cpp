#include "ControlFile.h"

#include "Diagnostics.h"
#include "TextFiles.h"

namespace simdrive {

ControlFile::ControlFile(std::string path) : path_(std::move(path)) {}

std::vector<ControlLine> ControlFile::TakeChanges() {
  WIN32_FILE_ATTRIBUTE_DATA info{};
  if (!GetFileAttributesExA(path_.c_str(), GetFileExInfoStandard, &info)) return {};
  const ULONGLONG size = (ULONGLONG(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  if (size == size_ && CompareFileTime(&info.ftLastWriteTime, &written_) == 0) return {};
  const auto text = ReadTextFile(path_);
  if (!text) return {};
  written_ = info.ftLastWriteTime;
  size_ = size;

  TextError error;
  const auto entries = ParseIniText(*text, error);
  if (!entries) {
    ReportProblem(path_ + " line " + std::to_string(error.line) + ": " + error.message);
    return {};
  }
  std::vector<ControlLine> changes;
  for (const IniEntry& entry : *entries) {
    const auto address = entry.isSection ? std::nullopt : ParseAddress(entry.name);
    if (!address) {
      ReportProblem(path_ + " line " + std::to_string(entry.line) + ": expected \"adapter:target:lun = DISC\" or \"= none\"");
      continue;
    }
    const std::string disc = ToLower(entry.value) == "none" ? std::string() : entry.value;
    const auto previous = applied_.find(*address);
    if (previous != applied_.end() && previous->second == disc) continue;
    applied_[*address] = disc;
    changes.push_back({*address, disc});
  }
  return changes;
}

}  // namespace simdrive
