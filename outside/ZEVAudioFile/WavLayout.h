// Where a WAV file of integer PCM (8, 16, 24 or 32 bits, one or two channels) keeps its format
// and its audio, found by one walk over its chunks. The reader and the tag writer both take it
// from here, so that what the one plays is what the other keeps as audio.
#pragma once

#include "outside/ZEVAudioFile/Encoder.h"
#include "outside/ZEVAudioFile/File.h"

#include <cstdint>
#include <optional>

namespace audiofile {

struct WavLayout {
  PcmFormat format;
  int bytesPerSample = 2;
  int64_t dataOffset = 0;     // the audio's first byte
  // The audio's length in bytes. A writer that could not go back to fill in the data chunk's
  // size leaves 0 (or all ones): the audio runs to the end of the file. A chunk longer than the
  // file is taken as far as the file goes.
  int64_t dataBytes = 0;
  uint32_t dataSizeField = 0;  // the data chunk's size as its header holds it
};

// Nothing when file is not such a WAV file.
std::optional<WavLayout> readWavLayout(File& file);

}  // namespace audiofile
