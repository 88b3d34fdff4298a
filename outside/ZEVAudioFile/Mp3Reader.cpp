#include "outside/ZEVAudioFile/Mp3Reader.h"

#include "outside/ZEVAudioFile/Mpg123Stream.h"

#include <mpg123.h>

#include <algorithm>
#include <vector>

namespace audiofile {

std::unique_ptr<Mp3Reader> Mp3Reader::open(File file) {
  std::unique_ptr<Mp3Reader> reader(new Mp3Reader(std::move(file)));
  if (!reader->startDecoder()) return nullptr;
  return reader;
}

bool Mp3Reader::startDecoder() {
  decoder_ = newMpg123Decoder();
  if (!decoder_) return false;
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
  position_ = 0;
  return true;
}

int64_t Mp3Reader::seek(int64_t frame) {
  frame = std::clamp<int64_t>(frame, 0, totalFrames_);
  // Only the decoder's own path from the start gives exactly the samples of a read from the
  // start: a decoder started at a frame further on rounds its filter sums in another order now
  // and then (one in the last bit, in MPEG-2 files), and a damaged frame before the target
  // moves every later sample, which an index of the frames does not know. So a seek goes on
  // from where the decoder is, or from the start when the target lies behind it.
  if (frame < position_ && !startDecoder()) return -1;
  std::vector<int16_t> scratch(4096 * static_cast<size_t>(format_.channels));
  while (position_ < frame) read(scratch.data(), static_cast<size_t>(std::min<int64_t>(frame - position_, 4096)));
  return position_;
}

size_t Mp3Reader::read(int16_t* out, size_t frames) {
  frames = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(frames), totalFrames_ - position_));
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
  // A frame the decoder could not use (damaged, cut off) counts in the scan but gives no sound:
  // it is made up with silence at the end, so that a read gives the length the file has.
  std::fill(buffer + filled, buffer + wanted, 0);
  position_ += static_cast<int64_t>(frames);
  return frames;
}

}  // namespace audiofile
