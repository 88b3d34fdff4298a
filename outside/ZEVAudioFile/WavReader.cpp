#include "outside/ZEVAudioFile/WavReader.h"

#include <algorithm>
#include <cstring>

namespace audiofile {
namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;

uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t le32(const uint8_t* p) { return le16(p) | static_cast<uint32_t>(le16(p + 2)) << 16; }

bool readExactly(File& file, void* data, size_t bytes) { return file.read(data, bytes) == bytes; }

}  // namespace

std::unique_ptr<WavReader> WavReader::open(File file) {
  std::unique_ptr<WavReader> reader(new WavReader(std::move(file)));
  if (!reader->readHeader()) return nullptr;
  return reader;
}

bool WavReader::readHeader() {
  uint8_t riff[12];
  if (!readExactly(file_, riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
      std::memcmp(riff + 8, "WAVE", 4) != 0)
    return false;
  const int64_t fileSize = file_.size();
  bool haveFormat = false;
  int64_t dataBytes = -1;
  int64_t offset = 12;
  while (!(haveFormat && dataBytes >= 0)) {
    uint8_t chunk[8];
    if (file_.seek(offset, FILE_BEGIN) < 0 || !readExactly(file_, chunk, sizeof chunk)) return false;
    const int64_t size = le32(chunk + 4);
    const int64_t body = offset + 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      uint8_t fmt[40] = {};
      if (size < 16 || !readExactly(file_, fmt, static_cast<size_t>(std::min<int64_t>(size, sizeof fmt))))
        return false;
      const uint16_t tag = le16(fmt);
      const int channels = le16(fmt + 2);
      const int64_t rate = le32(fmt + 4);
      const int blockAlign = le16(fmt + 12);
      const int bits = le16(fmt + 14);
      // An extensible format names its real format in the first two bytes of its sub-format.
      const bool pcm = tag == kFormatPcm || (tag == kFormatExtensible && size >= 40 && le16(fmt + 24) == kFormatPcm);
      if (!pcm || channels < 1 || channels > 2 || rate < 1000 || rate > 384000 ||
          (bits != 8 && bits != 16 && bits != 24 && bits != 32) || blockAlign != channels * bits / 8)
        return false;
      format_ = {static_cast<int>(rate), channels};
      bytesPerSample_ = bits / 8;
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      dataOffset_ = body;
      // A writer that could not go back to fill in the size leaves 0 (or all ones): the
      // audio runs to the end of the file.
      const bool sizeUnknown = size == 0 || size == 0xFFFFFFFF;
      dataBytes = std::max<int64_t>(fileSize - body, 0);
      if (!sizeUnknown) dataBytes = std::min(size, dataBytes);
    }
    offset = body + size + (size & 1);  // chunks are padded to even sizes
  }
  totalFrames_ = dataBytes / (bytesPerSample_ * format_.channels);
  return seek(0) == 0;
}

int64_t WavReader::seek(int64_t frame) {
  frame = std::clamp<int64_t>(frame, 0, totalFrames_);
  const int64_t frameBytes = bytesPerSample_ * format_.channels;
  if (file_.seek(dataOffset_ + frame * frameBytes, FILE_BEGIN) < 0) return -1;
  position_ = frame;
  return frame;
}

size_t WavReader::read(int16_t* out, size_t frames) {
  frames = std::min<size_t>(frames, static_cast<size_t>(totalFrames_ - position_));
  const size_t samples = frames * static_cast<size_t>(format_.channels);
  const size_t width = static_cast<size_t>(bytesPerSample_);
  raw_.resize(samples * width);
  const size_t got = file_.read(raw_.data(), raw_.size()) / (width * static_cast<size_t>(format_.channels));
  for (size_t i = 0; i < got * static_cast<size_t>(format_.channels); ++i) {
    const uint8_t* p = &raw_[i * width];
    // 8-bit samples are unsigned; wider ones keep their top 16 bits.
    out[i] = width == 1 ? static_cast<int16_t>((p[0] - 128) * 256)
                        : static_cast<int16_t>(le16(p + width - 2));
  }
  position_ += static_cast<int64_t>(got);
  return got;
}

}  // namespace audiofile
