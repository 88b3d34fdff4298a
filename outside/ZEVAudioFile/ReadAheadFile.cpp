#include "outside/ZEVAudioFile/ReadAheadFile.h"

#include <algorithm>
#include <cstring>

namespace audiofile {
namespace {

constexpr size_t kBufferBytes = 1 << 16;

}  // namespace

size_t ReadAheadFile::read(void* data, size_t bytes) {
  auto* out = static_cast<uint8_t*>(data);
  size_t done = 0;
  while (done < bytes) {
    const int64_t end = bufferStart_ + static_cast<int64_t>(buffer_.size());
    if (position_ < bufferStart_ || position_ >= end) {
      buffer_.resize(kBufferBytes);
      if (file_.seek(position_, FILE_BEGIN) < 0) break;
      buffer_.resize(file_.read(buffer_.data(), kBufferBytes));
      bufferStart_ = position_;
      if (buffer_.empty()) break;
      continue;
    }
    const auto offset = static_cast<size_t>(position_ - bufferStart_);
    const size_t take = std::min(bytes - done, buffer_.size() - offset);
    std::memcpy(out + done, buffer_.data() + offset, take);
    done += take;
    position_ += static_cast<int64_t>(take);
  }
  return done;
}

int64_t ReadAheadFile::seek(int64_t offset, DWORD origin) {
  int64_t target = offset;
  if (origin == FILE_CURRENT) target += position_;
  if (origin == FILE_END) {
    const int64_t size = file_.size();
    if (size < 0) return -1;
    target += size;
  }
  if (target < 0) return -1;
  position_ = target;
  return target;
}

}  // namespace audiofile
