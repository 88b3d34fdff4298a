// MP3 files through libmp3lame, set up from the 22 encoder settings.
#pragma once

#include "outside/ZEVAudioFile/Encoder.h"
#include "outside/ZEVAudioFile/LameMp3Settings.h"

#include <string>
#include <vector>

struct lame_global_struct;

namespace audiofile {

// True when a file of exactly this rate, constant bitrate and channel count can be written.
bool isMp3FormatAvailable(int sampleRate, int bitrate, int channels);

class Mp3Encoder final : public Encoder {
 public:
  // Sets LAME up from settings for input of the given format and creates the file.
  Mp3Encoder(const LameMp3Settings& settings, PcmFormat input, std::wstring path);
  ~Mp3Encoder() override;

  bool write(std::span<const int16_t> samples) override;
  bool finish() override;

 private:
  bool configure(const LameMp3Settings& settings);
  bool appendEncoded(int bytes);

  PcmFormat input_;
  lame_global_struct* lame_ = nullptr;
  std::vector<unsigned char> buffer_;
  bool finished_ = false;
};

}  // namespace audiofile
