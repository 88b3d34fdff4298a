#include "outside/ZEVAudioFile/Mp3FrameDecoder.h"

#include <mpg123.h>

#include <algorithm>
#include <numeric>

namespace audiofile {
namespace {

// The synthesis filter turns every 32 subband samples of a channel into 32 output samples and
// keeps the last 16 such blocks in a ring buffer.
constexpr int64_t kSynthesisBlock = 32;
constexpr int64_t kSynthesisRing = 16;

// Frames to decode and throw away before the frame a restart starts at. Layer III takes a
// frame's data partly from the frames before it (the bit reservoir: up to 511 bytes back in
// MPEG-1, 255 in MPEG-2 and 2.5), as many frames back as the smallest frames of the stream's
// version and channels take to hold that (a frame of the lowest bitrate less its header, checksum
// and side information). Two frames more: a frame's first granule overlaps the granule before
// it, and the synthesis filter takes that granule's subband samples.
int64_t warmUpFrames(const PcmFormat& format) {
  const bool oneGranule = format.sampleRate < 32000;  // MPEG-2 and 2.5
  const int reservoir = oneGranule ? 255 : 511;
  const int smallestFrame = (oneGranule ? 72000 * 8 : 144000 * 32) / format.sampleRate;
  const int sideInformation = oneGranule ? (format.channels == 1 ? 9 : 17) : (format.channels == 1 ? 17 : 32);
  const int mainData = std::max(1, smallestFrame - 4 - 2 - sideInformation);
  return (reservoir + mainData - 1) / mainData + 2;
}

}  // namespace

bool Mp3FrameDecoder::open(ReadAheadFile& input) {
  decoder_ = newMpg123Decoder();
  if (!decoder_) return false;
  mpg123_handle* decoder = decoder_.get();
  // 16-bit output at the file's own rate and channel count, whatever they are.
  mpg123_format_none(decoder);
  const long* rates = nullptr;
  size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  for (size_t i = 0; i < rateCount; ++i)
    if (mpg123_format(decoder, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16) != MPG123_OK) return false;
  // The decoder finds the stream itself: past tags of any kind and junk, over damaged frames.
  // It takes a stream only where a frame header is followed by another at the first one's end,
  // so a file of other content with an .mp3 name finds none and is refused.
  if (!openMpg123Stream(decoder, input)) return false;
  long rate = 0;
  int channels = 0, encoding = 0;
  if (mpg123_getformat(decoder, &rate, &channels, &encoding) != MPG123_OK) return false;
  format_ = {static_cast<int>(rate), channels};
  samplesPerFrame_ = mpg123_spf(decoder);
  if (samplesPerFrame_ < kSynthesisBlock) return false;
  warmUpFrames_ = warmUpFrames(format_);
  roundingCycle_ = kSynthesisRing / std::gcd(kSynthesisRing, samplesPerFrame_ / kSynthesisBlock);
  silentFrame_.assign(static_cast<size_t>(samplesPerFrame_ * channels), 0);
  // The frames before the first one with samples (the encoder's delay) are decoded as a restart
  // decodes its frames before the target, so the two begin alike.
  if (mpg123_param(decoder, MPG123_PREFRAMES, static_cast<long>(warmUpFrames_), 0) != MPG123_OK) return false;
  // A scan of every frame (headers only) gives the exact length, whatever a header frame or a
  // tag claims, and fills the index of frame offsets; it leaves the decoder at the start.
  if (mpg123_scan(decoder) != MPG123_OK) return false;
  const off_t length = mpg123_length(decoder);
  if (length <= 0) return false;
  length_ = length;
  firstFrame_ = mpg123_tellframe(decoder);
  dropping_ = std::min(firstFrame_, warmUpFrames_);
  return true;
}

std::optional<std::span<const int16_t>> Mp3FrameDecoder::next() {
  while (true) {
    off_t number = 0;
    unsigned char* audio = nullptr;
    size_t bytes = 0;
    const int result = mpg123_decode_frame(decoder_.get(), &number, &audio, &bytes);
    if (result == MPG123_NEW_FORMAT) continue;  // the frame itself comes with the next call
    if (result != MPG123_OK) return std::nullopt;
    synthesized_ += dropping_ + 1;
    dropping_ = 0;
    if (!isOfStreamFormat()) return silentFrame_;
    return std::span<const int16_t>(reinterpret_cast<const int16_t*>(audio), bytes / sizeof(int16_t));
  }
}

bool Mp3FrameDecoder::isOfStreamFormat() {
  long rate = 0;
  int channels = 0, encoding = 0;
  return mpg123_getformat2(decoder_.get(), &rate, &channels, &encoding, 0) == MPG123_OK && rate == format_.sampleRate &&
         channels == format_.channels && mpg123_spf(decoder_.get()) == samplesPerFrame_;
}

// libmpg123 sums the products of a block's subband samples in the order they lie in the
// synthesis filter's ring buffer, and where the ring starts moves on by one block every 32
// samples; a seek does not put it back. So a decoder that has put a different number of frames
// through the filter (modulo the cycle) rounds a sum differently now and then, by one in the
// last bit. A restart decodes as many frames before its target as keeps that number what a
// decoding from the start has there: an MPEG-1 stream then gives the very samples of a decoding
// from the start; in MPEG-2 and 2.5 streams a sample still differs by one now and then.
std::optional<int64_t> Mp3FrameDecoder::restartBefore(int64_t position) {
  // The encoder's delay only moves the frame that holds position further on.
  const int64_t frame = position / samplesPerFrame_;
  if (frame < warmUpFrames_ + roundingCycle_) return restartAtStart();
  const int64_t behind = (frame - warmUpFrames_ - synthesized_) % roundingCycle_;
  if (!seekFrame(frame, warmUpFrames_ + (behind + roundingCycle_) % roundingCycle_)) return std::nullopt;
  const off_t start = mpg123_tell(decoder_.get());
  if (start < 0) return std::nullopt;
  return start;
}

// From the start the ring buffer must be where a new decoder has it: frames are decoded (and
// their samples dropped) until it is.
std::optional<int64_t> Mp3FrameDecoder::restartAtStart() {
  if (synthesized_ % roundingCycle_ != 0) {
    if (!seekFrame(0, warmUpFrames_)) return std::nullopt;
    for (int64_t i = 0; i < roundingCycle_ && synthesized_ % roundingCycle_ != 0; ++i)
      if (!next()) break;  // a file of a few frames: its few samples round as they may
  }
  if (!seekFrame(0, warmUpFrames_)) return std::nullopt;
  return 0;
}

bool Mp3FrameDecoder::seekFrame(int64_t frame, int64_t warmUpFrames) {
  mpg123_handle* decoder = decoder_.get();
  if (mpg123_param(decoder, MPG123_PREFRAMES, static_cast<long>(warmUpFrames), 0) != MPG123_OK ||
      mpg123_seek_frame(decoder, static_cast<off_t>(frame), SEEK_SET) < 0)
    return false;
  // libmpg123 decodes the warm-up frames (or, at the start, the frames of the encoder's delay)
  // when the next frame is asked for; a seek that comes first drops them undecoded.
  dropping_ = std::min(std::max(frame, firstFrame_), warmUpFrames);
  return true;
}

}  // namespace audiofile
