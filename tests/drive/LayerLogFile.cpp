#include "LayerLogFile.h"

#include <fstream>
#include <sstream>

#include "DriveTransport.h"
#include "TestFiles.h"

namespace drivetest {

LayerLogFile::LayerLogFile() : path_(simdrive::ScratchPath("layer.log")) {
  file_ = CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
}

LayerLogFile::~LayerLogFile() {
  drive::SetCDLayerLog(nullptr);
  CloseHandle(file_);
  DeleteFileA(path_.c_str());
}

std::string LayerLogFile::Contents() const {
  std::ifstream in(path_, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace drivetest
