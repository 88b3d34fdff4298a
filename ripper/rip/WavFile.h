// The WAV file of a rip, written with the multimedia file functions: a RIFF form "WAVE" with an
// 18-byte "fmt " chunk (PCM, 2 channels, 44100 samples a second, 16 bits) and a "data" chunk
// whose size, like the RIFF size, is fixed when the file is closed.
// It is written under a working name and takes its own name when it is closed (FileReplacement),
// so a rip that fails before it has any audio can Discard it and leave a file of that name as
// it was.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "FileReplacement.h"

namespace rip {

class WavFile {
 public:
  WavFile() = default;
  WavFile(const WavFile&) = delete;
  WavFile& operator=(const WavFile&) = delete;
  // A file still open is closed properly, so what was written stays a valid WAV file.
  ~WavFile() { Close(); }

  // Creates the file and writes everything up to the start of the audio data; false (and
  // nothing left open or created) when any step fails, or when `path` is a file that cannot be
  // replaced.
  bool Create(const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }
  // Whether any audio (or silence) has been written since Create.
  bool HoldsAudio() const { return audioBytes_ > 0; }
  // Whether closing it would replace a file that was there before the rip.
  bool Replaces() const { return output_.Replaces(); }
  bool Write(const void* data, long bytes);
  // Closes the data chunk, the RIFF chunk and the file, which then replaces any file of its
  // name; false when any of that failed (and nothing is left under the working name).
  bool Close();
  // Closes and deletes the file written, leaving any file of its name untouched.
  void Discard();

 private:
  bool CloseChunks();

  HMMIO file_ = nullptr;
  MMCKINFO riff_{};
  MMCKINFO data_{};
  FileReplacement output_;
  long long audioBytes_ = 0;
};

}  // namespace rip
