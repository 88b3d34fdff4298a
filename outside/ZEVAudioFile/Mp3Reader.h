// MP3 files decoded by libmpg123: a file is MP3 when the decoder finds a stream of frames in
// it, whatever tags, junk or damaged frames lie around them; its length is what a scan of its
// frames counts, and a read gives exactly that many samples. A seek decodes on to the target (from the start when it lies behind), so that it
// gives exactly the samples a read from the start gives there.
#pragma once

#include "outside/ZEVAudioFile/AudioReader.h"
#include "outside/ZEVAudioFile/File.h"
#include "outside/ZEVAudioFile/Mpg123Stream.h"
#include "outside/ZEVAudioFile/ReadAheadFile.h"

namespace audiofile {

class Mp3Reader final : public AudioReader {
 public:
  static std::unique_ptr<Mp3Reader> open(File file);

  PcmFormat format() const override { return format_; }
  int64_t totalFrames() const override { return totalFrames_; }
  int64_t seek(int64_t frame) override;
  size_t read(int16_t* out, size_t frames) override;

 private:
  explicit Mp3Reader(File file) : file_(std::move(file)), input_(file_) {}
  bool startDecoder();

  File file_;
  ReadAheadFile input_;
  Mpg123Decoder decoder_;
  PcmFormat format_;
  int64_t totalFrames_ = 0;
  int64_t position_ = 0;  // the frame the next read gives
};

}  // namespace audiofile
