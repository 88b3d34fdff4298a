#include "SafeFileNames.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace app {

namespace {

bool IsDeviceName(const std::string& name) {
  // Windows takes the part before the first dot, trailing blanks cut, as the device.
  std::string base = name.substr(0, name.find('.'));
  base.erase(base.find_last_not_of(' ') + 1);
  std::transform(base.begin(), base.end(), base.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  static constexpr std::array<std::string_view, 6> kPlain{"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  if (std::find(kPlain.begin(), kPlain.end(), base) != kPlain.end()) return true;
  return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '0' &&
         base[3] <= '9';
}

std::string TrimTrailingDotsAndBlanks(std::string name) {
  name.erase(name.find_last_not_of(". ") + 1);
  return name;
}

}  // namespace

std::string SafeNameComponent(const std::string& text) {
  std::string name;
  name.reserve(text.size());
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    const bool reserved = u < 32 || u == 127 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
    name += reserved ? '_' : c;
  }
  name = TrimTrailingDotsAndBlanks(std::move(name));
  if (name.empty()) return "_";
  return IsDeviceName(name) ? "_" + name : name;
}

std::size_t PathLimit() { return MAX_PATH - 1 - kNameRoom; }

std::string FitPath(const std::string& folder, std::vector<std::string> components, std::size_t maxLength) {
  const auto length = [&] {
    std::size_t total = folder.size() + (components.empty() ? 0 : components.size() - 1);
    for (const auto& c : components) total += c.size();
    return total;
  };
  while (length() > maxLength) {
    auto longest = std::max_element(components.begin(), components.end(),
                                     [](const auto& a, const auto& b) { return a.size() < b.size(); });
    if (longest == components.end() || longest->size() <= 1) break;  // nothing left to cut
    longest->pop_back();
    *longest = SafeNameComponent(*longest);
  }
  std::string joined;
  for (const auto& c : components) joined += (joined.empty() ? "" : "\\") + c;
  return joined;
}

}  // namespace app
