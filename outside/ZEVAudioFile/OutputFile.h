// The file an encoder writes. It remembers the first failed write, and a file that could not
// be written completely is deleted when it is finished, so that no short file is left behind
// looking like a finished one.
#pragma once

#include "outside/ZEVAudioFile/File.h"

#include <cstdint>
#include <span>
#include <string>

namespace audiofile {

class OutputFile {
 public:
  // Creates or truncates path; check ok() and error().
  explicit OutputFile(std::wstring path);
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  bool ok() const { return ok_; }
  DWORD error() const { return error_; }

  // Appends bytes; false (and from then on every call) once a write failed.
  bool append(std::span<const unsigned char> bytes);
  // Overwrites bytes at offset, then goes back to the end for further appends.
  bool overwrite(int64_t offset, std::span<const unsigned char> bytes);
  // Closes the file; false when the encoder says it is incomplete or any write or the close
  // failed, and then the file is deleted.
  bool finish(bool complete = true);

 private:
  void fail();

  std::wstring path_;
  File file_;
  DWORD error_ = ERROR_SUCCESS;
  bool ok_ = false;
};

}  // namespace audiofile
