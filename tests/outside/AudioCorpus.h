// The audio files made by other tools (tools/audio-corpus.sh): taglib's own test files and
// files from third-party encoders, each with what the reference decoders make of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace outside_test {

struct CorpusFile {
  std::wstring path;       // full Windows path
  std::string name;        // below the corpus folder, as "taglib/xing.mp3"
  std::string codec;       // ffmpeg's name of the first audio stream; "-" when it finds none
  int sampleRate = 0;
  int channels = 0;
  int64_t frames = 0;      // sample frames libvorbisfile (Vorbis), libmpg123 (MP3) or ffmpeg decode
};

// Every file of the corpus; fails the calling test (and returns nothing) when the list is
// missing, since the build makes it.
std::vector<CorpusFile> audioCorpus();

}  // namespace outside_test
