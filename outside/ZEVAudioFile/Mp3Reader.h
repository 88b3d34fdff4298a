// MP3 files decoded by libmpg123. A file counts as MP3 only when, after an optional ID3v2
// tag, it starts with a layer III frame followed by another one (or by its end), so that a
// file of other content with an .mp3 name is refused instead of decoded from stray sync bytes.
#pragma once

#include "outside/ZEVAudioFile/AudioReader.h"
#include "outside/ZEVAudioFile/File.h"

struct mpg123_handle_struct;

namespace audiofile {

class Mp3Reader final : public AudioReader {
 public:
  static std::unique_ptr<Mp3Reader> open(File file);
  ~Mp3Reader() override;

  PcmFormat format() const override { return format_; }
  int64_t totalFrames() const override { return totalFrames_; }
  int64_t seek(int64_t frame) override;
  size_t read(int16_t* out, size_t frames) override;

 private:
  explicit Mp3Reader(File file) : file_(std::move(file)) {}
  bool startsWithMp3Frames();
  bool startDecoder();

  File file_;
  mpg123_handle_struct* decoder_ = nullptr;
  PcmFormat format_;
  int64_t totalFrames_ = 0;
};

}  // namespace audiofile
