#include "outside/ZEVAudioFile/Mp3Reader.h"

#include "outside/ZEVAudioFile/Mpg123Stream.h"

#include <mpg123.h>

#include <algorithm>
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


}  // namespace

std::unique_ptr<Mp3Reader> Mp3Reader::open(File file) {
  std::unique_ptr<Mp3Reader> reader(new Mp3Reader(std::move(file)));
  if (!reader->startDecoder()) return nullptr;
  return reader;
}

bool Mp3Reader::startDecoder() {
  decoder_ = newMpg123Decoder();
  if (!decoder_) return false;
  // A seek decodes from kSettlingFrames before the target itself (see seek()).
  mpg123_param(decoder_.get(), MPG123_PREFRAMES, 1, 0);
  // 16-bit output at the file's own rate and channel count, whatever they are.
  mpg123_format_none(decoder_.get());
  const long* rates = nullptr;
  size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  for (size_t i = 0; i < rateCount; ++i)
    mpg123_format(decoder_.get(), rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  // The decoder finds the stream itself: past tags of any kind and junk, over damaged frames.
  // It takes a stream only where a frame header is followed by another at the first one's end,
  // so a file of other content with an .mp3 name finds none and is refused.
  if (!openMpg123Stream(decoder_.get(), input_)) return false;
  long rate = 0;
  int channels = 0, encoding = 0;
  if (mpg123_getformat(decoder_.get(), &rate, &channels, &encoding) != MPG123_OK) return false;
  format_ = {static_cast<int>(rate), channels};
  // A scan of every frame (headers only) gives the exact length, whatever a header frame or a
  // tag claims, and indexes the frames; it leaves the decoder at the start.
  if (mpg123_scan(decoder_.get()) != MPG123_OK) return false;
  const off_t length = mpg123_length(decoder_.get());
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
  const int64_t samplesPerFrame = std::max(mpg123_spf(decoder_.get()), 1);
  const int64_t settleFrom = (frame / samplesPerFrame - kSettlingFrames) / kCycleFrames * kCycleFrames;
  if (settleFrom > 0 && mpg123_seek_frame(decoder_.get(), static_cast<off_t>(settleFrom + 1), SEEK_SET) < 0) return -1;
  const off_t start = mpg123_tell(decoder_.get());
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
    const int rc = mpg123_read(decoder_.get(), buffer + filled, wanted - filled, &done);
    filled += done;
    if (rc == MPG123_DONE || (rc != MPG123_OK && rc != MPG123_NEW_FORMAT) || (rc == MPG123_OK && done == 0)) break;
  }
  return filled / frameBytes;
}

}  // namespace audiofile
