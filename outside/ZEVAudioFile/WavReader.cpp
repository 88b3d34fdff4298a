#include "outside/ZEVAudioFile/WavReader.h"

#include <algorithm>

namespace audiofile {
namespace {

uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

}  // namespace

WavReader::WavReader(File file, const WavLayout& layout)
    : file_(std::move(file)),
      layout_(layout),
      totalFrames_(layout.dataBytes / (layout.bytesPerSample * layout.format.channels)) {}

std::unique_ptr<WavReader> WavReader::open(File file) {
  const auto layout = readWavLayout(file);
  if (!layout) return nullptr;
  std::unique_ptr<WavReader> reader(new WavReader(std::move(file), *layout));
  if (reader->seek(0) != 0) return nullptr;
  return reader;
}

int64_t WavReader::seek(int64_t frame) {
  frame = std::clamp<int64_t>(frame, 0, totalFrames_);
  const int64_t frameBytes = layout_.bytesPerSample * layout_.format.channels;
  if (file_.seek(layout_.dataOffset + frame * frameBytes, FILE_BEGIN) < 0) return -1;
  position_ = frame;
  return frame;
}

size_t WavReader::read(int16_t* out, size_t frames) {
  const auto channels = static_cast<size_t>(layout_.format.channels);
  const auto width = static_cast<size_t>(layout_.bytesPerSample);
  frames = std::min<size_t>(frames, static_cast<size_t>(totalFrames_ - position_));
  raw_.resize(frames * channels * width);
  const size_t got = file_.read(raw_.data(), raw_.size()) / (width * channels);
  for (size_t i = 0; i < got * channels; ++i) {
    const uint8_t* p = &raw_[i * width];
    // 8-bit samples are unsigned; wider ones keep their top 16 bits.
    out[i] = width == 1 ? static_cast<int16_t>((p[0] - 128) * 256) : static_cast<int16_t>(le16(p + width - 2));
  }
  position_ += static_cast<int64_t>(got);
  return got;
}

}  // namespace audiofile
