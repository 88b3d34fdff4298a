// Where the pages of one logical Ogg stream lie in a stretch of a file, found with libogg.
// vorbisfile keeps only where a stream's final page begins, and that page's granule position is
// what a damaged or crafted file gets wrong; the pages before it tell where the audio really
// ends.
#pragma once

#include "outside/ZEVAudioFile/File.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace audiofile {

struct OggPagePlace {
  int64_t offset = 0;    // of the page's first byte in the file
  int64_t granule = -1;  // -1 when no packet ends on the page
};

// The whole pages of stream `serial` that begin at or after `from`, in file order; nothing when
// the file cannot be read there. The file's position is left where it was, since vorbisfile
// reads on from where it left it.
std::optional<std::vector<OggPagePlace>> oggStreamPagesFrom(File& file, int64_t from, long serial);

}  // namespace audiofile
