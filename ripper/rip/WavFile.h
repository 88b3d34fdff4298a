// The WAV file of a rip, written with the multimedia file functions: a RIFF form "WAVE" with an
// 18-byte "fmt " chunk (PCM, 2 channels, 44100 samples a second, 16 bits) and a "data" chunk
// whose size, like the RIFF size, is fixed when the file is closed.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <string>

namespace rip {

class WavFile {
 public:
  WavFile() = default;
  WavFile(const WavFile&) = delete;
  WavFile& operator=(const WavFile&) = delete;
  // A file still open is closed properly, so what was written stays a valid WAV file.
  ~WavFile() { Close(); }

  // Creates the file and writes everything up to the start of the audio data; false (and
  // nothing left open) when any step fails.
  bool Create(const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }
  bool Write(const void* data, long bytes);
  // Closes the data chunk, the RIFF chunk and the file; false when any of them failed.
  bool Close();

 private:
  HMMIO file_ = nullptr;
  MMCKINFO riff_{};
  MMCKINFO data_{};
};

}  // namespace rip
