#include "WavFile.h"

#include <utility>

namespace rip {

namespace {

#pragma pack(push, 1)
struct WavFormat {
  WORD formatTag;
  WORD channels;
  DWORD samplesPerSecond;
  DWORD bytesPerSecond;
  WORD blockAlign;
  WORD bitsPerSample;
  WORD extraSize;
};
#pragma pack(pop)
static_assert(sizeof(WavFormat) == 18);

constexpr WavFormat kCDAudio{WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};

}  // namespace

bool WavFile::Create(const std::string& path) {
  Close();
  if (!output_.Begin(path)) return false;
  audioBytes_ = 0;
  std::string working = output_.WorkingPath();  // mmioOpenA takes a writable name
  file_ = mmioOpenA(working.data(), nullptr, MMIO_CREATE | MMIO_READWRITE | MMIO_ALLOCBUF);
  if (!file_) {
    output_.Abandon();
    return false;
  }
  riff_ = {};
  riff_.fccType = mmioFOURCC('W', 'A', 'V', 'E');
  MMCKINFO format{};
  format.ckid = mmioFOURCC('f', 'm', 't', ' ');
  data_ = {};
  data_.ckid = mmioFOURCC('d', 'a', 't', 'a');
  const bool written = mmioCreateChunk(file_, &riff_, MMIO_CREATERIFF) == MMSYSERR_NOERROR &&
                       mmioCreateChunk(file_, &format, 0) == MMSYSERR_NOERROR &&
                       mmioWrite(file_, reinterpret_cast<const char*>(&kCDAudio), sizeof kCDAudio) ==
                           static_cast<LONG>(sizeof kCDAudio) &&
                       mmioAscend(file_, &format, 0) == MMSYSERR_NOERROR &&
                       mmioCreateChunk(file_, &data_, 0) == MMSYSERR_NOERROR;
  if (!written) Discard();
  return written;
}

bool WavFile::Write(const void* data, long bytes) {
  if (!file_ || mmioWrite(file_, static_cast<const char*>(data), bytes) != bytes) return false;
  audioBytes_ += bytes;
  return true;
}

bool WavFile::CloseChunks() {
  const bool dataClosed = mmioAscend(file_, &data_, 0) == MMSYSERR_NOERROR;
  const bool riffClosed = mmioAscend(file_, &riff_, 0) == MMSYSERR_NOERROR;
  const bool fileClosed = mmioClose(std::exchange(file_, nullptr), 0) == MMSYSERR_NOERROR;
  return dataClosed && riffClosed && fileClosed;
}

bool WavFile::Close() {
  if (!file_) return true;
  if (CloseChunks()) return output_.Commit();
  output_.Abandon();
  return false;
}

void WavFile::Discard() {
  if (!file_) return;
  mmioClose(std::exchange(file_, nullptr), 0);
  output_.Abandon();
}

}  // namespace rip
