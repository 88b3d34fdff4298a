#include "outside/ZEVAudioFile/Ffmpeg.h"

#include <cstdio>
#include <mutex>

namespace audiofile::ffmpeg {
namespace {

constexpr int kIoBufferBytes = 1 << 16;

}  // namespace

void quietLog() {
  static std::once_flag once;
  std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

Io makeIo(void* opaque, ReadCallback read, WriteCallback write, SeekCallback seek) {
  auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferBytes));
  if (!buffer) return nullptr;
  Io io(avio_alloc_context(buffer, kIoBufferBytes, write ? 1 : 0, opaque, read, write, seek));
  if (!io) av_free(buffer);
  return io;
}

int64_t seekTarget(int64_t current, int64_t size, int64_t offset, int whence) {
  if (whence & AVSEEK_SIZE) return size;
  int64_t target = -1;
  switch (whence & ~AVSEEK_FORCE) {
    case SEEK_SET: target = offset; break;
    case SEEK_CUR: target = current + offset; break;
    case SEEK_END: target = size + offset; break;
    default: return -1;
  }
  return target < 0 || target > size ? -1 : target;
}

}  // namespace audiofile::ffmpeg
