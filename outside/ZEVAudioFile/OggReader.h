// Ogg Vorbis files decoded by libvorbisfile; the length is what a read from the start gives.
#pragma once

#include "outside/ZEVAudioFile/AudioReader.h"
#include "outside/ZEVAudioFile/File.h"

namespace audiofile {

class OggReader final : public AudioReader {
 public:
  static std::unique_ptr<OggReader> open(File file);
  ~OggReader() override;

  PcmFormat format() const override { return format_; }
  int64_t totalFrames() const override { return totalFrames_; }
  int64_t seek(int64_t frame) override;
  size_t read(int16_t* out, size_t frames) override;

 private:
  struct Decoder;

  explicit OggReader(File file);
  bool start();
  // The frame a read stops at, found by reading the last stretch of the file. The last page's
  // granule position claims the length, but a file cut or made badly may hold less audio than
  // that; -1 when the file fails.
  int64_t lengthAsRead(int64_t claimed);

  File file_;
  std::unique_ptr<Decoder> decoder_;
  PcmFormat format_;
  int64_t totalFrames_ = 0;
};

}  // namespace audiofile
