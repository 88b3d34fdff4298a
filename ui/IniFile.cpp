#include "IniFile.h"

#include "Win32.h"

#include <cerrno>
#include <cstdlib>

namespace ui {

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default) const {
  // The profile functions truncate silently: grow the buffer until the value fits.
  for (DWORD size = 256;; size *= 2) {
    std::string value(size, '\0');
    const DWORD length = GetPrivateProfileStringA(Section.c_str(), Ident.c_str(), Default.c_str(),
                                                  value.data(), size, fileName_.c_str());
    if (length < size - 1 || size >= 1u << 20) {
      value.resize(length);
      return value;
    }
  }
}

int TIniFile::ReadInteger(const std::string& Section, const std::string& Ident, int Default) const {
  const std::string text = ReadString(Section, Ident, "");
  if (text.empty()) return Default;
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
  if (errno || end == text.c_str() || *end != '\0') return Default;
  return static_cast<int>(value);
}

bool TIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) const {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

bool TIniFile::WriteString(const std::string& Section, const std::string& Ident,
                           const std::string& Value) {
  return WritePrivateProfileStringA(Section.c_str(), Ident.c_str(), Value.c_str(),
                                    fileName_.c_str()) != FALSE;
}

bool TIniFile::WriteInteger(const std::string& Section, const std::string& Ident, int Value) {
  return WriteString(Section, Ident, std::to_string(Value));
}

bool TIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value) {
  return WriteString(Section, Ident, Value ? "1" : "0");
}

bool TIniFile::DeleteKey(const std::string& Section, const std::string& Ident) {
  return WritePrivateProfileStringA(Section.c_str(), Ident.c_str(), nullptr, fileName_.c_str()) !=
         FALSE;
}

bool TIniFile::EraseSection(const std::string& Section) {
  return WritePrivateProfileStringA(Section.c_str(), nullptr, nullptr, fileName_.c_str()) != FALSE;
}

}  // namespace ui
