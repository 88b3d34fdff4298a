// Audio of a track taken from a file: a WAV file (16-bit stereo PCM at 44100 Hz) or a raw
// image of 2352-byte frames. The file stays open while a disc uses it; frames are read on
// demand so a whole-disc image costs no memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "com/Handles.h"

namespace simdrive {

class PcmFile {
 public:
  // The opened file, or nullopt with `error` saying why.
  static std::optional<PcmFile> Open(const std::string& path, std::string& error);

  std::int32_t Frames() const;  // whole frames, a partial last frame counted as one
  // Frames from `firstFrame` of the file on; anything past its end reads as silence.
  void Read(std::int32_t firstFrame, std::int32_t count, std::uint8_t* out) const;

 private:
  PcmFile(com::unique_file file, std::int64_t dataOffset, std::int64_t dataBytes);

  com::unique_file file_;
  std::int64_t dataOffset_ = 0;
  std::int64_t dataBytes_ = 0;
};

}  // namespace simdrive
