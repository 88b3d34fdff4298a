// libmpg123 decoders that read through our own files: the library started once per process,
// quiet, gapless (the encoder's delay and padding left out, as the LAME header frame says),
// and as patient with junk before the first frame as players are.
#pragma once

#include "outside/ZEVAudioFile/ReadAheadFile.h"

#include <memory>

struct mpg123_handle_struct;

namespace audiofile {

struct Mpg123Deleter {
  void operator()(mpg123_handle_struct* decoder) const;
};
using Mpg123Decoder = std::unique_ptr<mpg123_handle_struct, Mpg123Deleter>;

// Empty when the library cannot make one.
Mpg123Decoder newMpg123Decoder();

// Points the decoder at input from its first byte and finds the stream; false when there is
// none. Output formats and other parameters are set before this.
bool openMpg123Stream(mpg123_handle_struct* decoder, ReadAheadFile& input);

}  // namespace audiofile
