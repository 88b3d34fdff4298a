// The line format shared by the configuration and the control file: "[section]" headers,
// "key = value" lines, blank lines and whole-line comments starting with '#' or ';'.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace simdrive {

struct TextError {
  int line = 0;  // 1-based; 0 when the problem is not on one line
  std::string message;
};

struct IniEntry {
  int line = 0;
  bool isSection = false;
  std::string name;   // section header without brackets, or the key (lower case)
  std::string value;  // the value of a key, trimmed
};

std::optional<std::vector<IniEntry>> ParseIniText(std::string_view text, TextError& error);

// Whitespace-separated words of a value.
std::vector<std::string> SplitWords(std::string_view text);

std::string_view Trim(std::string_view text);
std::string ToLower(std::string_view text);

// A whole decimal number in [low, high]; nothing else on the text.
std::optional<long long> ParseInteger(std::string_view text, long long low, long long high);

}  // namespace simdrive
