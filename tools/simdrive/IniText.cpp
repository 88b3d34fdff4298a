#include "IniText.h"

#include <cctype>
#include <charconv>

namespace simdrive {

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::string ToLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::vector<std::string> SplitWords(std::string_view text) {
  std::vector<std::string> words;
  std::size_t pos = 0;
  while (true) {
    pos = text.find_first_not_of(" \t", pos);
    if (pos == std::string_view::npos) break;
    const auto end = text.find_first_of(" \t", pos);
    words.emplace_back(text.substr(pos, end == std::string_view::npos ? end : end - pos));
    if (end == std::string_view::npos) break;
    pos = end;
  }
  return words;
}

std::optional<long long> ParseInteger(std::string_view text, long long low, long long high) {
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < low || value > high) return std::nullopt;
  return value;
}

std::optional<std::vector<IniEntry>> ParseIniText(std::string_view text, TextError& error) {
  std::vector<IniEntry> entries;
  int number = 0;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    const auto end = text.find('\n', pos);
    const std::string_view raw = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    pos = end == std::string_view::npos ? text.size() + 1 : end + 1;
    ++number;
    const std::string_view line = Trim(raw);
    if (line.empty() || line.front() == '#' || line.front() == ';') continue;
    IniEntry entry;
    entry.line = number;
    if (line.front() == '[') {
      if (line.back() != ']') {
        error = {number, "a section header must end with ']'"};
        return std::nullopt;
      }
      entry.isSection = true;
      entry.name = std::string(Trim(line.substr(1, line.size() - 2)));
    } else {
      const auto equals = line.find('=');
      if (equals == std::string_view::npos || Trim(line.substr(0, equals)).empty()) {
        error = {number, "expected \"key = value\""};
        return std::nullopt;
      }
      entry.name = ToLower(Trim(line.substr(0, equals)));
      entry.value = std::string(Trim(line.substr(equals + 1)));
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace simdrive
