// WMA (version 2) files in an ASF container through ffmpeg's encoder and muxer, set up from a
// profile of the table (WmaProfiles.h).
#pragma once

#include "outside/ZEVAudioFile/Encoder.h"
#include "outside/ZEVAudioFile/Ffmpeg.h"
#include "outside/ZEVAudioFile/PcmConverter.h"
#include "outside/ZEVAudioFile/WmaProfiles.h"

#include <string>
#include <vector>

namespace audiofile {

class WmaEncoder final : public Encoder {
 public:
  // A null profile (a number outside the table) is refused.
  WmaEncoder(const WmaProfile* profile, PcmFormat input, std::wstring path);
  ~WmaEncoder() override;

  bool write(std::span<const int16_t> samples) override;
  bool finish() override;

 private:
  static int writeIo(void* opaque, uint8_t* buffer, int size);
  static int64_t seekIo(void* opaque, int64_t offset, int whence);

  bool openCodec(const WmaProfile& profile);
  bool startFile();
  // Takes converted samples and encodes every whole frame they complete.
  bool take(const PcmConverter::Planes& planes);
  bool encode(const AVFrame* frame);

  PcmConverter converter_;
  PcmConverter::Planes planes_;
  std::vector<std::vector<float>> waiting_;  // per channel, less than a frame
  ffmpeg::Codec codec_;
  ffmpeg::Frame frame_;
  ffmpeg::Packet packet_;
  ffmpeg::Output muxer_;
  ffmpeg::Io io_;
  AVStream* stream_ = nullptr;
  int64_t nextPts_ = 0;   // samples given to the encoder
  int64_t position_ = 0;  // of the muxer in the file
  int64_t size_ = 0;      // of the file
  bool finished_ = false;
};

}  // namespace audiofile
