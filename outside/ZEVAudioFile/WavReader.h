// WAV files of integer PCM (8, 16, 24 or 32 bits, one or two channels), read as 16-bit PCM.
#pragma once

#include "outside/ZEVAudioFile/AudioReader.h"
#include "outside/ZEVAudioFile/File.h"
#include "outside/ZEVAudioFile/WavLayout.h"

#include <vector>

namespace audiofile {

class WavReader final : public AudioReader {
 public:
  // Nothing when file is not such a WAV file.
  static std::unique_ptr<WavReader> open(File file);

  PcmFormat format() const override { return layout_.format; }
  int64_t totalFrames() const override { return totalFrames_; }
  int64_t seek(int64_t frame) override;
  size_t read(int16_t* out, size_t frames) override;

 private:
  WavReader(File file, const WavLayout& layout);

  File file_;
  WavLayout layout_;
  int64_t totalFrames_ = 0;
  int64_t position_ = 0;
  std::vector<uint8_t> raw_;
};

}  // namespace audiofile
