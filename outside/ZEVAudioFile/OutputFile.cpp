#include "outside/ZEVAudioFile/OutputFile.h"

#include <utility>

namespace audiofile {

OutputFile::OutputFile(std::wstring path) : path_(std::move(path)) {
  file_ = File::create(path_, error_);
  ok_ = static_cast<bool>(file_);
}

OutputFile::~OutputFile() {
  if (file_) finish();
}

void OutputFile::fail() {
  if (ok_) error_ = GetLastError();
  ok_ = false;
}

bool OutputFile::append(std::span<const unsigned char> bytes) {
  if (ok_ && !bytes.empty() && !file_.write(bytes.data(), bytes.size())) fail();
  return ok_;
}

bool OutputFile::overwrite(int64_t offset, std::span<const unsigned char> bytes) {
  if (!ok_) return false;
  if (file_.seek(offset, FILE_BEGIN) < 0 || !file_.write(bytes.data(), bytes.size()) ||
      file_.seek(0, FILE_END) < 0)
    fail();
  return ok_;
}

bool OutputFile::finish(bool complete) {
  if (!file_) return false;
  if (!file_.close()) fail();
  if (!complete) ok_ = false;
  if (!ok_) DeleteFileW(path_.c_str());
  return ok_;
}

}  // namespace audiofile
