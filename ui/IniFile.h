// TIniFile: reads and writes keys of a Windows profile (ini) file. Give a full path: a bare
// file name means a file in the Windows folder, as the profile functions take it.
#pragma once

#include <string>

namespace ui {

class TIniFile {
 public:
  explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

  const std::string& FileName() const { return fileName_; }
  std::string ReadString(const std::string& Section, const std::string& Ident,
                         const std::string& Default) const;
  // The key's decimal (or 0x-hexadecimal) value; Default when it is missing or not a number.
  int ReadInteger(const std::string& Section, const std::string& Ident, int Default) const;
  // A number other than 0 is true.
  bool ReadBool(const std::string& Section, const std::string& Ident, bool Default) const;

  // Each write returns false when the file could not be written.
  bool WriteString(const std::string& Section, const std::string& Ident, const std::string& Value);
  bool WriteInteger(const std::string& Section, const std::string& Ident, int Value);
  // Written as 1 or 0.
  bool WriteBool(const std::string& Section, const std::string& Ident, bool Value);
  bool DeleteKey(const std::string& Section, const std::string& Ident);
  bool EraseSection(const std::string& Section);

 private:
  std::string fileName_;
};

}  // namespace ui
