#include "PcmFile.h"

#include <algorithm>
#include <cstring>

#include "AudioGenerator.h"

namespace simdrive {
namespace {

bool ReadAt(HANDLE file, std::int64_t offset, void* out, DWORD bytes, DWORD& got) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFF);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  got = 0;
  return ReadFile(file, out, bytes, &got, &at) != FALSE || GetLastError() == ERROR_HANDLE_EOF;
}

std::uint32_t Le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

// Finds the PCM data of a RIFF WAVE file; only CD audio format is accepted.
bool FindWaveData(HANDLE file, std::int64_t fileBytes, std::int64_t& offset, std::int64_t& bytes,
                  std::string& error) {
  bool formatSeen = false;
  std::int64_t pos = 12;
  while (pos + 8 <= fileBytes) {
    std::uint8_t header[8];
    DWORD got = 0;
    if (!ReadAt(file, pos, header, 8, got) || got != 8) break;
    const std::uint32_t size = Le32(header + 4);
    if (std::memcmp(header, "fmt ", 4) == 0) {
      std::uint8_t fmt[16];
      if (size < 16 || !ReadAt(file, pos + 8, fmt, 16, got) || got != 16) break;
      if (Le16(fmt) != 1 || Le16(fmt + 2) != 2 || Le32(fmt + 4) != kSampleRate || Le16(fmt + 14) != 16) {
        error = "the WAV file is not 16-bit stereo PCM at 44100 Hz";
        return false;
      }
      formatSeen = true;
    } else if (std::memcmp(header, "data", 4) == 0) {
      if (!formatSeen) break;
      offset = pos + 8;
      bytes = std::min<std::int64_t>(size, fileBytes - offset);
      return true;
    }
    pos += 8 + size + (size & 1);
  }
  error = "the WAV file has no readable format and data chunks";
  return false;
}

}  // namespace

PcmFile::PcmFile(com::unique_file file, std::int64_t dataOffset, std::int64_t dataBytes)
    : file_(std::move(file)), dataOffset_(dataOffset), dataBytes_(dataBytes) {}

std::optional<PcmFile> PcmFile::Open(const std::string& path, std::string& error) {
  com::unique_file file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    error = "cannot open \"" + path + "\" (error " + std::to_string(GetLastError()) + ")";
    return std::nullopt;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) {
    error = "cannot read the size of \"" + path + "\"";
    return std::nullopt;
  }
  std::uint8_t riff[12] = {};
  DWORD got = 0;
  ReadAt(file.get(), 0, riff, sizeof riff, got);
  std::int64_t offset = 0;
  std::int64_t bytes = size.QuadPart;
  if (got == sizeof riff && std::memcmp(riff, "RIFF", 4) == 0 && std::memcmp(riff + 8, "WAVE", 4) == 0) {
    if (!FindWaveData(file.get(), size.QuadPart, offset, bytes, error)) {
      error = "\"" + path + "\": " + error;
      return std::nullopt;
    }
  }
  return PcmFile(std::move(file), offset, bytes);
}

std::int32_t PcmFile::Frames() const {
  return static_cast<std::int32_t>((dataBytes_ + kFrameBytes - 1) / kFrameBytes);
}

void PcmFile::Read(std::int32_t firstFrame, std::int32_t count, std::uint8_t* out) const {
  const std::int64_t want = static_cast<std::int64_t>(count) * kFrameBytes;
  const std::int64_t from = static_cast<std::int64_t>(firstFrame) * kFrameBytes;
  const std::int64_t available = std::clamp<std::int64_t>(dataBytes_ - from, 0, want);
  DWORD got = 0;
  if (available > 0) ReadAt(file_.get(), dataOffset_ + from, out, static_cast<DWORD>(available), got);
  std::memset(out + got, 0, static_cast<std::size_t>(want - got));
}

}  // namespace simdrive
