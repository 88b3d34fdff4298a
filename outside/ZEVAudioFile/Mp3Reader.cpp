#include "outside/ZEVAudioFile/Mp3Reader.h"

#include <mpg123.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace audiofile {
namespace {

// A seek starts decoding at least this many frames before the target's and throws their sound
// away: the bit reservoir reaches up to 511 bytes back, more than 20 frames at the lowest
// bitrates.
constexpr int64_t kSettlingFrames = 32;
// The ring alone would need a multiple of 16 frames; MPEG-2 files still differed now and then
// by one in the last bit after seeks that began at multiples of 16 and 64, never at 256.
constexpr int64_t kCycleFrames = 256;


mpg123_ssize_t readCallback(void* handle, void* data, size_t bytes) {
  return static_cast<mpg123_ssize_t>(static_cast<ReadAheadFile*>(handle)->read(data, bytes));
}

off_t seekCallback(void* handle, off_t offset, int whence) {
  const DWORD origin = whence == SEEK_CUR ? FILE_CURRENT : whence == SEEK_END ? FILE_END : FILE_BEGIN;
  return static_cast<off_t>(static_cast<ReadAheadFile*>(handle)->seek(offset, origin));
}

}  // namespace

std::unique_ptr<Mp3Reader> Mp3Reader::open(File file) {
  std::unique_ptr<Mp3Reader> reader(new Mp3Reader(std::move(file)));
  if (!reader->startDecoder()) return nullptr;
  return reader;
}

Mp3Reader::~Mp3Reader() {
  if (decoder_) mpg123_delete(decoder_);
}

bool Mp3Reader::startDecoder() {
  static std::once_flag initialised;
  std::call_once(initialised, [] { mpg123_init(); });
  if (decoder_) mpg123_delete(decoder_);
  decoder_ = mpg123_new(nullptr, nullptr);
  if (!decoder_) return false;
  // Gapless: the encoder's delay and padding are left out, as the LAME header frame says.
  mpg123_param(decoder_, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0);
  // A seek decodes from kSettlingFrames before the target itself (see seek()).
  mpg123_param(decoder_, MPG123_PREFRAMES, 1, 0);
  // 16-bit output at the file's own rate and channel count, whatever they are.
  mpg123_format_none(decoder_);
  const long* rates = nullptr;
  size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  for (size_t i = 0; i < rateCount; ++i)
    mpg123_format(decoder_, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  // The decoder finds the stream itself: past tags of any kind and junk, over damaged frames.
  // It takes a stream only where a frame header is followed by another at the first one's end,
  // so a file of other content with an .mp3 name finds none and is refused.
  if (input_.seek(0, FILE_BEGIN) < 0 ||
      mpg123_replace_reader_handle(decoder_, readCallback, seekCallback, nullptr) != MPG123_OK ||
      mpg123_open_handle(decoder_, &input_) != MPG123_OK)
    return false;
  long rate = 0;
  int channels = 0, encoding = 0;
  if (mpg123_getformat(decoder_, &rate, &channels, &encoding) != MPG123_OK) return false;
  format_ = {static_cast<int>(rate), channels};
  // A scan of every frame (headers only) gives the exact length, whatever a header frame or a
  // tag claims, and indexes the frames; it leaves the decoder at the start.
  if (mpg123_scan(decoder_) != MPG123_OK) return false;
  const off_t length = mpg123_length(decoder_);
  if (length <= 0) return false;
  totalFrames_ = length;
  return true;
}

int64_t Mp3Reader::seek(int64_t frame) {
  frame = std::clamp<int64_t>(frame, 0, totalFrames_);
  // The decoder's buffers go round in cycles (the synthesis filter's ring of 16 blocks, the
  // overlap's and the bit stream's double buffers), and where in a cycle a block lands changes
  // the order its sums are rounded in, by up to one in the last bit. A decoder started afresh
  // that begins decoding at a frame that is a multiple of kCycleFrames rounds as the read from
  // the start did; it begins far enough before the target to fill the bit reservoir and the
  // transform's overlap as that read filled them.
  if (!startDecoder()) return -1;
  const int64_t samplesPerFrame = std::max(mpg123_spf(decoder_), 1);
  const int64_t settleFrom = (frame / samplesPerFrame - kSettlingFrames) / kCycleFrames * kCycleFrames;
  if (settleFrom > 0 && mpg123_seek_frame(decoder_, static_cast<off_t>(settleFrom + 1), SEEK_SET) < 0) return -1;
  const off_t start = mpg123_tell(decoder_);
  if (start < 0) return -1;
  int64_t reached = start;
  std::vector<int16_t> scratch(4096 * static_cast<size_t>(format_.channels));
  while (reached < frame) {
    const size_t got = read(scratch.data(), static_cast<size_t>(std::min<int64_t>(frame - reached, 4096)));
    if (got == 0) break;
    reached += static_cast<int64_t>(got);
  }
  return reached;
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
