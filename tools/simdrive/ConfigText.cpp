#include "ConfigText.h"

namespace simdrive {

ConfigText& ConfigText::Line(std::string_view line) {
  text_.append(line).append("\n");
  return *this;
}

ConfigText& ConfigText::Key(std::string_view key, std::string_view value) {
  return Line(std::string(key) + " = " + std::string(value));
}

ConfigText& ConfigText::Section(std::string_view header) { return Line("[" + std::string(header) + "]"); }

ConfigText& ConfigText::Adapter(int number) { return Section("adapter " + std::to_string(number)); }

ConfigText& ConfigText::Drive(std::string_view address) { return Section("drive " + std::string(address)); }

ConfigText& ConfigText::Disc(std::string_view name) { return Section("disc " + std::string(name)); }

ConfigText& ConfigText::Track(std::string_view description) { return Key("track", description); }

}  // namespace simdrive
