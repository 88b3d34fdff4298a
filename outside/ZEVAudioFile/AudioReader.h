// Reading an audio file as 16-bit PCM in blocks. Positions and lengths count sample frames
// (one sample of every channel) at the file's own sample rate.
#pragma once

#include "outside/ZEVAudioFile/Encoder.h"

#include <cstdint>
#include <memory>
#include <string>

namespace audiofile {

class AudioReader {
 public:
  virtual ~AudioReader() = default;

  virtual PcmFormat format() const = 0;
  virtual int64_t totalFrames() const = 0;
  // Moves to frame (clamped to the length); the frame reached, or -1 when the file failed.
  virtual int64_t seek(int64_t frame) = 0;
  // Reads up to frames whole frames into out (frames * channels samples); 0 at the end.
  virtual size_t read(int16_t* out, size_t frames) = 0;
};

// Why a file did not open; the numbers are those the file control reports.
enum class OpenError {
  none = 0,
  cannotOpen = 1,     // missing, or no access
  unknownType = 2,    // not a .wav, .mp3, .ogg or .wma name
  badContent = 3,     // the content is not what the name says, or is damaged
};

struct OpenedReader {
  std::unique_ptr<AudioReader> reader;
  OpenError error = OpenError::none;
};

// Chooses the reader by the name's extension and checks the content against it.
OpenedReader openAudioReader(const std::wstring& path);

}  // namespace audiofile
