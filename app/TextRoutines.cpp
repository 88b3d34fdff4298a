#include "TextRoutines.h"

#include <algorithm>
#include <cctype>

namespace app {

std::string FormatDuration(std::int64_t ms) {
  return TwoDigits(ms / 60000) + ":" + TwoDigits((ms / 1000) % 60);
}

std::string TwoDigits(std::int64_t n) { return (n <= 9 ? "0" : "") + std::to_string(n); }

std::string PadLeft(const std::string& text, int width, char fill) {
  const auto missing = static_cast<std::ptrdiff_t>(width) - static_cast<std::ptrdiff_t>(text.size());
  return missing > 0 ? std::string(static_cast<std::size_t>(missing), fill) + text : text;
}

std::string AudioFormatOfName(const std::string& name) {
  std::string upper = name;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  for (const char* format : {"WAV", "MP3", "WMA", "OGG"}) {
    if (upper.find(std::string(".") + format) != std::string::npos) return format;
  }
  return {};
}

namespace {

std::string GroupThousands(std::uint64_t value) {
  std::string digits = std::to_string(value);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<std::size_t>(at), ",");
  return digits;
}

}  // namespace

std::string FormatFileSize(std::uint64_t size) {
  constexpr std::uint64_t kKilo = 1024, kMega = 1024 * 1024;
  // Tenths of the unit; a size near 2^64 bytes would overflow "size x 10", so it is divided
  // first there (the tenths come out the same).
  std::uint64_t tenths;
  const char* unit;
  if (size <= kKilo) {
    tenths = size * 10;
    unit = " Bytes";
  } else if (size <= kMega) {
    tenths = size * 10 / kKilo;
    unit = " KB";
  } else {
    tenths = size / kMega * 10 + size % kMega * 10 / kMega;
    unit = " MB";
  }
  std::string text = PadLeft(GroupThousands(tenths / 10), 4, ' ');
  if (tenths % 10 != 0) text += "." + std::to_string(tenths % 10);
  return text + unit;
}

std::string SizeSortKey(const std::string& sizeText) {
  if (sizeText.find("MB") != std::string::npos) return "c" + sizeText;
  if (sizeText.find("KB") != std::string::npos) return "b" + sizeText;
  if (sizeText.find("Bytes") != std::string::npos) return "a" + sizeText;
  return {};
}

std::optional<std::int64_t> DecimalValue(const std::string& text) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace app
