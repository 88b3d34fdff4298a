#include "outside/ZEVAudioFile/Mp3Reader.h"

#include <algorithm>

namespace audiofile {

std::unique_ptr<Mp3Reader> Mp3Reader::open(File file) {
  std::unique_ptr<Mp3Reader> reader(new Mp3Reader(std::move(file)));
  if (!reader->decoder_.open(reader->input_)) return nullptr;
  return reader;
}

int64_t Mp3Reader::seek(int64_t frame) {
  frame = std::clamp<int64_t>(frame, 0, totalFrames());
  // A little way on, decoding on costs no more than a restart and changes no sample.
  if (frame < position_ || frame - position_ > decoder_.restartDistance()) {
    decoded_ = {};
    const std::optional<int64_t> start = decoder_.restartBefore(frame);
    // A decoder that failed somewhere unknown gives nothing more, rather than samples that
    // belong elsewhere.
    decoderEnded_ = !start || *start > frame;
    if (decoderEnded_) return -1;
    position_ = *start;
  }
  advance(nullptr, frame - position_);
  return position_;
}

size_t Mp3Reader::read(int16_t* out, size_t frames) {
  frames = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(frames), totalFrames() - position_));
  advance(out, static_cast<int64_t>(frames));
  return frames;
}

void Mp3Reader::advance(int16_t* out, int64_t frames) {
  const auto channels = static_cast<size_t>(format().channels);
  while (frames > 0) {
    if (decoded_.size() < channels) {
      const auto next = decoderEnded_ ? std::nullopt : decoder_.next();
      if (!next) {
        // Where the decoder gives less than the scan counted (a stream cut short, or one that
        // cannot be read further), the rest is silence, so a read gives the length counted.
        decoderEnded_ = true;
        if (out) std::fill_n(out, static_cast<size_t>(frames) * channels, int16_t{0});
        position_ += frames;
        return;
      }
      decoded_ = *next;
      continue;
    }
    const auto taken = std::min(static_cast<size_t>(frames), decoded_.size() / channels);
    if (out) out = std::copy_n(decoded_.begin(), taken * channels, out);
    decoded_ = decoded_.subspan(taken * channels);
    position_ += static_cast<int64_t>(taken);
    frames -= static_cast<int64_t>(taken);
  }
}

}  // namespace audiofile
