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
  // The frame a read from the start stops at; -1 when the file fails. The final page's granule
  // position claims the length, but a damaged or crafted file may claim any amount, more or
  // less than its audio; so the end is found by decoding from the last page before that one
  // that gives a position.
  int64_t lengthAsRead();
  // Whether a raw seek to the page at `offset` takes its position from a page before
  // `finalPage`: vorbisfile takes it from the first granule position it meets.
  bool seekLandsBefore(int64_t offset, int64_t finalPage);
  int64_t framesToTheEnd();
  // Makes vorbisfile take the last stream as `excess` frames shorter than its final page claims.
  void trimClaimedLength(int64_t excess);

  File file_;
  std::unique_ptr<Decoder> decoder_;
  PcmFormat format_;
  int64_t totalFrames_ = 0;
};

}  // namespace audiofile
