// WMA files (versions 1 and 2, Pro and Lossless, one or two channels) in an ASF container,
// decoded by ffmpeg. The length is the count of samples the decoder gives, found by decoding
// the whole file once at the start, which also notes where each packet's samples begin, so
// that a seek, which starts decoding a few packets before the frame, lands on the exact frame.
#pragma once

#include "outside/ZEVAudioFile/AudioReader.h"
#include "outside/ZEVAudioFile/Ffmpeg.h"
#include "outside/ZEVAudioFile/File.h"

#include <vector>

namespace audiofile {

class WmaReader final : public AudioReader {
 public:
  // Nothing when file is not ASF holding a WMA stream that decodes.
  static std::unique_ptr<WmaReader> open(File file);
  ~WmaReader() override;

  PcmFormat format() const override { return format_; }
  int64_t totalFrames() const override { return totalFrames_; }
  int64_t seek(int64_t frame) override;
  size_t read(int16_t* out, size_t frames) override;

 private:
  struct Decoding;

  explicit WmaReader(File file);
  // Starts reading from the beginning of the file, with a decoder of its own.
  bool restart();
  bool scan();
  // Decodes the next packet of the stream into decoded_; false at the end.
  bool decodeNext();
  // Reads the next packet of the stream into the decoding's packet; false at the end.
  bool nextPacket();
  // Passes over the stream's packets, undecoded, up to packet `from`, and decodes from there up
  // to packet `holding`, so that reading goes on with the samples `holding` gave in the scan.
  bool skipTo(size_t from, size_t holding);
  void discard(int64_t frames);

  static int readIo(void* opaque, uint8_t* buffer, int size);
  static int64_t seekIo(void* opaque, int64_t offset, int whence);

  File file_;
  int64_t fileSize_ = 0;
  int64_t filePosition_ = 0;
  std::unique_ptr<Decoding> decoding_;
  PcmFormat format_;
  int64_t totalFrames_ = 0;
  int64_t startSkip_ = 0;              // decoded frames left out at the start of the file
  std::vector<int64_t> packetStarts_;  // the decoded frame at which each packet's samples begin
  size_t packetsRead_ = 0;             // since the last restart
  std::vector<int16_t> decoded_;       // interleaved, not yet read
  size_t decodedUsed_ = 0;             // samples of decoded_ already read
  int64_t position_ = 0;               // the frame read() gives next, counted after startSkip_
};

}  // namespace audiofile
