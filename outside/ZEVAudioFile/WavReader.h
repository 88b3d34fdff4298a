// WAV files of integer PCM (8, 16, 24 or 32 bits, one or two channels), read as 16-bit PCM.
#pragma once

#include "outside/ZEVAudioFile/AudioReader.h"
#include "outside/ZEVAudioFile/File.h"

#include <vector>

namespace audiofile {

class WavReader final : public AudioReader {
 public:
  // Nothing when file is not such a WAV file. A data chunk longer than the file is taken as
  // far as the file goes.
  static std::unique_ptr<WavReader> open(File file);

  PcmFormat format() const override { return format_; }
  int64_t totalFrames() const override { return totalFrames_; }
  int64_t seek(int64_t frame) override;
  size_t read(int16_t* out, size_t frames) override;

 private:
  explicit WavReader(File file) : file_(std::move(file)) {}
  bool readHeader();

  File file_;
  PcmFormat format_;
  int bytesPerSample_ = 2;
  int64_t dataOffset_ = 0;
  int64_t totalFrames_ = 0;
  int64_t position_ = 0;
  std::vector<uint8_t> raw_;
};

}  // namespace audiofile
