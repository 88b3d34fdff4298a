#include "RipAudioCheck.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "AudioGenerator.h"

namespace riptest {

std::vector<std::uint8_t> GeneratedAudio(std::uint32_t lba, std::uint32_t frames) {
  std::vector<std::uint8_t> audio(std::size_t(frames) * simdrive::kFrameBytes);
  simdrive::GenerateAudioFrames(lba, static_cast<std::int32_t>(frames), audio.data());
  return audio;
}

namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t(bytes[at + 3]) << 24;
}
std::uint16_t U16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

}  // namespace

WavContents ReadWav(const std::string& path) {
  WavContents wav;
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(&bytes[8], "WAVE", 4) != 0) {
    wav.problem = "no RIFF WAVE header";
    return wav;
  }
  if (U32(bytes, 4) + 8 != bytes.size()) {
    wav.problem = "RIFF size " + std::to_string(U32(bytes, 4)) + " for a file of " + std::to_string(bytes.size());
    return wav;
  }
  bool haveFormat = false;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const std::uint32_t size = U32(bytes, at + 4);
    if (at + 8 + size > bytes.size()) {
      wav.problem = "chunk beyond the end of the file";
      return wav;
    }
    if (std::memcmp(&bytes[at], "fmt ", 4) == 0 && size >= 16) {
      haveFormat = true;
      wav.formatSize = size;
      wav.formatTag = U16(bytes, at + 8);
      wav.channels = U16(bytes, at + 10);
      wav.samplesPerSecond = U32(bytes, at + 12);
      wav.bytesPerSecond = U32(bytes, at + 16);
      wav.blockAlign = U16(bytes, at + 20);
      wav.bitsPerSample = U16(bytes, at + 22);
    } else if (std::memcmp(&bytes[at], "data", 4) == 0) {
      if (!haveFormat) {
        wav.problem = "data before fmt";
        return wav;
      }
      wav.data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at + 8),
                      bytes.begin() + static_cast<std::ptrdiff_t>(at + 8 + size));
      wav.valid = true;
      return wav;
    }
    at += 8 + size + (size & 1);
  }
  wav.problem = "no data chunk";
  return wav;
}

std::string CDAudioFormatProblem(const WavContents& wav) {
  if (!wav.valid) return wav.problem;
  if (wav.formatSize != 18) return "format chunk of " + std::to_string(wav.formatSize) + " bytes";
  if (wav.formatTag != 1 || wav.channels != 2 || wav.samplesPerSecond != 44100 || wav.bytesPerSecond != 176400 ||
      wav.blockAlign != 4 || wav.bitsPerSample != 16)
    return "not 16-bit stereo PCM at 44100 Hz";
  return "";
}

std::string JitterOnCorrectedReads(const std::string& offsets) {
  std::string line = "jitter = ";
  for (int read = 0; read < 19; ++read) line += "0, ";
  line += offsets;
  for (int read = 0; read < 200; ++read) line += ", 0";
  return line;
}

}  // namespace riptest
