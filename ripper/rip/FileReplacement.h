// The output file of a rip, written under a working name in the folder of the file it is to
// become and given that file's name only when the rip has it complete: a rip that is refused
// or fails before it has any audio leaves a file of that name as it was.
#pragma once

#include <string>

namespace rip {

class FileReplacement {
 public:
  FileReplacement() = default;
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;
  ~FileReplacement() { Abandon(); }

  // Reserves a working name with the extension of `path` beside it. False when `path` cannot
  // be written as a file would be: a read-only file or a folder of that name, or no such
  // folder.
  bool Begin(const std::string& path);
  const std::string& WorkingPath() const { return working_; }
  // Whether a file of the name was there at Begin: a rip that fails or is stopped does not
  // replace it with the part it read.
  bool Replaces() const { return replaces_; }
  // The working file takes its name, replacing any file of that name; false when it could not
  // (the working file is then deleted).
  bool Commit();
  // Deletes the working file; a file of the name stays as it was.
  void Abandon();

 private:
  void Release();

  std::string path_;
  std::string placeholder_;  // the unique name reserved in the folder
  std::string working_;
  bool replaces_ = false;
};

}  // namespace rip
