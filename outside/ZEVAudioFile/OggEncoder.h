// Ogg Vorbis files through libvorbisenc.
#pragma once

#include "outside/ZEVAudioFile/Encoder.h"
#include "outside/ZEVAudioFile/PcmConverter.h"

#include <memory>
#include <string>

namespace audiofile {

struct OggFormat {
  int sampleRate = 44100;
  int channels = 2;
  int nominalBitrate = 128;  // kbit/s
  int minBitrate = 0;        // kbit/s, 0 no limit
  int maxBitrate = 0;        // kbit/s, 0 no limit
  // 0 to 10 chooses quality-driven variable-rate coding (Vorbis quality 0.0 to 1.0) and the
  // bitrates are not used; any other value chooses coding by the bitrates.
  int quality = -1;

  bool codesByQuality() const { return quality >= 0 && quality <= 10; }
};

// True when libvorbisenc has a set-up for this rate, channel count and these bitrates.
bool isOggFormatAvailable(const OggFormat& format);

class OggEncoder final : public Encoder {
 public:
  OggEncoder(const OggFormat& format, PcmFormat input, std::wstring path);
  ~OggEncoder() override;

  bool write(std::span<const int16_t> samples) override;
  bool finish() override;

 private:
  struct Vorbis;

  // submit hands converted samples to the analysis and encodes every complete block (drain);
  // false when the file could not be written.
  bool submit(const PcmConverter::Planes& planes);
  bool drain();
  bool writePages(bool flush);

  std::unique_ptr<Vorbis> vorbis_;
  PcmConverter converter_;
  PcmConverter::Planes planes_;
  bool finished_ = false;
};

}  // namespace audiofile
