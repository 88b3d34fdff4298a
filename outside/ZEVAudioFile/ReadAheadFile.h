// A file read through a buffer of its own: a decoder that reads each frame's header and body
// with calls of a few bytes makes one system call per 64 kB instead of two per frame.
#pragma once

#include "outside/ZEVAudioFile/File.h"

#include <vector>

namespace audiofile {

class ReadAheadFile {
 public:
  explicit ReadAheadFile(File& file) : file_(file) {}

  // Bytes read, 0 at the end of the file or on an error.
  size_t read(void* data, size_t bytes);
  // Moves to offset from origin (FILE_BEGIN, FILE_CURRENT, FILE_END); -1 on failure.
  int64_t seek(int64_t offset, DWORD origin);

 private:
  File& file_;
  std::vector<uint8_t> buffer_;
  int64_t bufferStart_ = 0;  // the file offset of buffer_[0]
  int64_t position_ = 0;     // the offset the next read starts at
};

}  // namespace audiofile
