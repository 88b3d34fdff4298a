#include "ControlFile.h"

#include "Diagnostics.h"
#include "TextFiles.h"

namespace simdrive {

namespace {

constexpr std::string_view kGoneSuffix = " gone";

std::optional<ControlLine> ParseControlLine(const IniEntry& entry) {
  std::string_view name = entry.name;
  ControlLine line;
  if (name.size() > kGoneSuffix.size() && name.substr(name.size() - kGoneSuffix.size()) == kGoneSuffix) {
    const auto opens = ParseInteger(entry.value, 0, 1000000);
    if (!opens) return std::nullopt;
    line.kind = ControlLine::Kind::kGone;
    line.goneOpens = static_cast<int>(*opens);
    name = Trim(name.substr(0, name.size() - kGoneSuffix.size()));
  } else {
    line.disc = ToLower(entry.value) == "none" ? std::string() : entry.value;
  }
  const auto address = ParseAddress(name);
  if (!address) return std::nullopt;
  line.address = *address;
  return line;
}

}  // namespace

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
    const auto line = entry.isSection ? std::nullopt : ParseControlLine(entry);
    if (!line) {
      ReportProblem(path_ + " line " + std::to_string(entry.line) +
                    ": expected \"adapter:target:lun = DISC\", \"= none\" or \"adapter:target:lun gone = N\"");
      continue;
    }
    const auto key = std::make_pair(line->address, line->kind);
    const std::string value = line->kind == ControlLine::Kind::kGone ? std::to_string(line->goneOpens) : line->disc;
    const auto previous = applied_.find(key);
    if (previous != applied_.end() && previous->second == value) continue;
    applied_[key] = value;
    changes.push_back(*line);
  }
  return changes;
}

}  // namespace simdrive
