#include "outside/ZEVAudioFile/Mp3Reader.h"

#include "outside/ZEVAudioFile/MpegAudio.h"

#include <mpg123.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace audiofile {
namespace {

mpg123_ssize_t readCallback(void* handle, void* data, size_t bytes) {
  return static_cast<mpg123_ssize_t>(static_cast<File*>(handle)->read(data, bytes));
}

off_t seekCallback(void* handle, off_t offset, int whence) {
  const DWORD origin = whence == SEEK_CUR ? FILE_CURRENT : whence == SEEK_END ? FILE_END : FILE_BEGIN;
  return static_cast<off_t>(static_cast<File*>(handle)->seek(offset, origin));
}

// Bytes of the ID3v2 tag at the start of the file, 0 when there is none.
int64_t id3v2Size(File& file) {
  uint8_t h[10];
  if (file.seek(0, FILE_BEGIN) < 0 || file.read(h, sizeof h) != sizeof h || std::memcmp(h, "ID3", 3) != 0)
    return 0;
  const int64_t body = (h[6] & 0x7F) << 21 | (h[7] & 0x7F) << 14 | (h[8] & 0x7F) << 7 | (h[9] & 0x7F);
  const bool footer = (h[5] & 0x10) != 0;
  return 10 + body + (footer ? 10 : 0);
}

std::optional<MpegFrameHeader> headerAt(File& file, int64_t offset) {
  uint8_t b[4];
  if (file.seek(offset, FILE_BEGIN) < 0 || file.read(b, sizeof b) != sizeof b) return std::nullopt;
  return parseMpegFrameHeader(b);
}

}  // namespace

std::unique_ptr<Mp3Reader> Mp3Reader::open(File file) {
  std::unique_ptr<Mp3Reader> reader(new Mp3Reader(std::move(file)));
  if (!reader->startsWithMp3Frames() || !reader->startDecoder()) return nullptr;
  return reader;
}

Mp3Reader::~Mp3Reader() {
  if (decoder_) mpg123_delete(decoder_);
}

bool Mp3Reader::startsWithMp3Frames() {
  const int64_t start = id3v2Size(file_);
  const auto first = headerAt(file_, start);
  if (!first) return false;
  const int64_t next = start + static_cast<int64_t>(first->frameBytes);
  if (next == file_.size()) return true;
  const auto second = headerAt(file_, next);
  return second && second->sampleRate == first->sampleRate;
}

bool Mp3Reader::startDecoder() {
  static std::once_flag initialised;
  std::call_once(initialised, [] { mpg123_init(); });
  decoder_ = mpg123_new(nullptr, nullptr);
  if (!decoder_) return false;
  mpg123_param(decoder_, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
  // 16-bit output at the file's own rate and channel count, whatever they are.
  mpg123_format_none(decoder_);
  const long* rates = nullptr;
  size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  for (size_t i = 0; i < rateCount; ++i)
    mpg123_format(decoder_, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  if (file_.seek(0, FILE_BEGIN) < 0 ||
      mpg123_replace_reader_handle(decoder_, readCallback, seekCallback, nullptr) != MPG123_OK ||
      mpg123_open_handle(decoder_, &file_) != MPG123_OK)
    return false;
  long rate = 0;
  int channels = 0, encoding = 0;
  if (mpg123_getformat(decoder_, &rate, &channels, &encoding) != MPG123_OK) return false;
  format_ = {static_cast<int>(rate), channels};
  // A full scan gives the exact length, also without a VBR header.
  if (mpg123_scan(decoder_) != MPG123_OK) return false;
  const off_t length = mpg123_length(decoder_);
  if (length < 0) return false;
  totalFrames_ = length;
  return seek(0) == 0;
}

int64_t Mp3Reader::seek(int64_t frame) {
  const off_t reached = mpg123_seek(decoder_, static_cast<off_t>(std::clamp<int64_t>(frame, 0, totalFrames_)), SEEK_SET);
  return reached < 0 ? -1 : static_cast<int64_t>(reached);
}

size_t Mp3Reader::read(int16_t* out, size_t frames) {
  const size_t frameBytes = sizeof(int16_t) * static_cast<size_t>(format_.channels);
  auto* buffer = reinterpret_cast<unsigned char*>(out);
  size_t filled = 0;
  const size_t wanted = frames * frameBytes;
  while (filled < wanted) {
    size_t done = 0;
    const int rc = mpg123_read(decoder_, buffer + filled, wanted - filled, &done);
    filled += done;
    if (rc == MPG123_DONE || (rc != MPG123_OK && rc != MPG123_NEW_FORMAT) || (rc == MPG123_OK && done == 0)) break;
  }
  return filled / frameBytes;
}

}  // namespace audiofile
