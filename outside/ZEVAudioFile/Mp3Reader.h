// MP3 files decoded by libmpg123: a file is MP3 when the decoder finds a stream of frames in
// it, whatever tags, junk or damaged frames lie around them; its length is what a scan of its
// frames counts, and a read gives exactly that many samples. A seek decodes again from a few
// frames before its target, found through the scan's index of frames, so it costs about the
// same anywhere in a file of any length.
#pragma once

#include "outside/ZEVAudioFile/AudioReader.h"
#include "outside/ZEVAudioFile/File.h"
#include "outside/ZEVAudioFile/Mp3FrameDecoder.h"
#include "outside/ZEVAudioFile/ReadAheadFile.h"

#include <span>

namespace audiofile {

class Mp3Reader final : public AudioReader {
 public:
  static std::unique_ptr<Mp3Reader> open(File file);

  PcmFormat format() const override { return decoder_.format(); }
  int64_t totalFrames() const override { return decoder_.length(); }
  int64_t seek(int64_t frame) override;
  size_t read(int16_t* out, size_t frames) override;

 private:
  explicit Mp3Reader(File file) : file_(std::move(file)), input_(file_) {}
  // Moves on by frames, copying their samples into out unless it is null.
  void advance(int16_t* out, int64_t frames);

  File file_;
  ReadAheadFile input_;
  Mp3FrameDecoder decoder_;
  int64_t position_ = 0;              // the frame the next read gives
  std::span<const int16_t> decoded_;  // what is left of the frame decoded last, from position_ on
  bool decoderEnded_ = false;
};

}  // namespace audiofile
