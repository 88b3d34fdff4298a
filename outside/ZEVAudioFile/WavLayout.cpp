#include "outside/ZEVAudioFile/WavLayout.h"

#include <algorithm>
#include <cstring>

namespace audiofile {
namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;

uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t le32(const uint8_t* p) { return le16(p) | static_cast<uint32_t>(le16(p + 2)) << 16; }

bool readExactly(File& file, void* data, size_t bytes) { return file.read(data, bytes) == bytes; }

// The format of a "fmt " chunk of `size` bytes, read from the file's position; false when it
// is no integer PCM of one or two channels.
bool readFormat(File& file, int64_t size, WavLayout& layout) {
  uint8_t fmt[40] = {};
  if (size < 16 || !readExactly(file, fmt, static_cast<size_t>(std::min<int64_t>(size, sizeof fmt)))) return false;
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
  layout.format = {static_cast<int>(rate), channels};
  layout.bytesPerSample = bits / 8;
  return true;
}

int64_t dataSizeRead(uint32_t sizeField, int64_t available) {
  available = std::max<int64_t>(available, 0);
  const bool sizeUnknown = sizeField == 0 || sizeField == 0xFFFFFFFF;
  return sizeUnknown ? available : std::min<int64_t>(sizeField, available);
}

}  // namespace

std::optional<WavLayout> readWavLayout(File& file) {
  uint8_t riff[12];
  if (file.seek(0, FILE_BEGIN) < 0 || !readExactly(file, riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
      std::memcmp(riff + 8, "WAVE", 4) != 0)
    return std::nullopt;
  const int64_t fileSize = file.size();
  WavLayout layout;
  bool haveFormat = false, haveData = false;
  int64_t offset = 12;
  while (!(haveFormat && haveData)) {
    uint8_t chunk[8];
    if (file.seek(offset, FILE_BEGIN) < 0 || !readExactly(file, chunk, sizeof chunk)) return std::nullopt;
    const uint32_t size = le32(chunk + 4);
    const int64_t body = offset + 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (!readFormat(file, size, layout)) return std::nullopt;
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      layout.dataOffset = body;
      layout.dataSizeField = size;
      layout.dataBytes = dataSizeRead(size, fileSize - body);
      haveData = true;
    }
    offset = body + size + (size & 1);  // chunks are padded to even sizes
  }
  return layout;
}

}  // namespace audiofile
