// A scratch file for the drive layer's log: created empty, readable while the layer writes it,
// and taken from the layer and deleted when the object goes.
#pragma once

#include <windows.h>

#include <string>

namespace drivetest {

class LayerLogFile {
 public:
  LayerLogFile();
  ~LayerLogFile();
  LayerLogFile(const LayerLogFile&) = delete;
  LayerLogFile& operator=(const LayerLogFile&) = delete;

  HANDLE Handle() const { return file_; }
  std::string Contents() const;

 private:
  std::string path_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

}  // namespace drivetest
