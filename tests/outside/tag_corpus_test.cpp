// Every file of the audio corpus through the tag component: none crashes it or hangs, the
// playing time it reads from the header of the kinds the player lists is within two of the
// codec's frames of what the reference decoder gives, and the length it counts for Ogg Vorbis
// is oggdec's exactly. A save that cannot write leaves the file as it was, byte for byte.
#include "com/Handles.h"
#include "outside/ZEVAudioFile/FileName.h"
#include "outside/ZEVAudioInformation/TagFile.h"
#include "tests/outside/AudioCorpus.h"
#include "tests/outside/AudioTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <algorithm>
#include <map>

using namespace outside_test;

namespace {

struct Kind {
  std::vector<std::string> codecs;  // as ffmpeg names them
  int64_t slackSamples;             // how far a header's length may lie from the decoded one
};

// What the player lists under each name: two of the codec's largest frames (the encoder's
// delay and padding, a codec's first and last frames), none for WAV.
const std::map<std::wstring, Kind>& playerKinds() {
  static const std::map<std::wstring, Kind> kinds = {
      // ffmpeg gives LAME's delay and padding back when junk hides LAME's header frame from it.
      {L"mp3", {{"mp3"}, 3 * 1152}},
      {L"ogg", {{"vorbis"}, 2 * 2048}},
      {L"wma", {{"wmav1", "wmav2", "wmapro", "wmalossless"}, 2 * 4096}},
      {L"wav", {{"pcm_u8", "pcm_s16le", "pcm_s24le", "pcm_s32le"}, 0}},
  };
  return kinds;
}

bool isKind(const CorpusFile& file, const Kind& kind) {
  return std::find(kind.codecs.begin(), kind.codecs.end(), file.codec) != kind.codecs.end() && file.channels >= 1 &&
         file.channels <= 2;
}

void expectReferenceLength(const CorpusFile& file, const Kind& kind, int64_t durationMs) {
  const int64_t reference = file.frames * 1000 / file.sampleRate;
  const int64_t tolerance = kind.slackSamples * 1000 / file.sampleRate + 1;
  EXPECT_LE(std::llabs(durationMs - reference), tolerance) << durationMs << " ms, reference " << reference;
}

}  // namespace

TEST(TagCorpus, ListedLengthsOfThePlayersKindsAgreeWithTheReference) {
  int checked = 0;
  for (const CorpusFile& file : audioCorpus()) {
    SCOPED_TRACE(file.name);
    const auto info = audioinfo::readFileInfo(file.path);  // must return, whatever the file is
    const auto kind = playerKinds().find(audiofile::lowerExtension(file.path));
    if (kind == playerKinds().end() || !isKind(file, kind->second)) continue;
    ASSERT_TRUE(info) << "the player would list it as 00:00";
    expectReferenceLength(file, kind->second, info->durationMs);
    // libvorbisfile's oggdec counts exactly what a read gives, whatever the last page claims.
    if (file.codec == "vorbis") {
      EXPECT_EQ(info->totalSamples, file.frames);
    }
    ++checked;
  }
  EXPECT_GT(checked, 30);
}

// Under Wine the tests run as root, whom a read-only file does not stop, so a file held by
// another program stands for every save that cannot write.
TEST(TagCorpus, ASaveThatCannotWriteLeavesTheFileByteForByte) {
  for (const CorpusFile& file : audioCorpus()) {
    if (file.name != "made/mutagen-id3-and-info.wav" && file.name != "made/lame-id3v23.mp3" &&
        file.name != "made/wav-sizes-zero.wav")
      continue;
    SCOPED_TRACE(file.name);
    const auto original = readBytes(file.path);
    audioinfo::TagChanges changes;
    changes.title = L"Not written";
    // Another program reading the file lets nobody write it meanwhile.
    const std::wstring locked = scratchPath(L"locked." + audiofile::lowerExtension(file.path));
    writeBytes(locked, original);
    {
      com::unique_file reader(CreateFileW(locked.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
      ASSERT_TRUE(reader);
      EXPECT_FALSE(audioinfo::writeTags(locked, changes));
    }
    EXPECT_EQ(readBytes(locked), original);
  }
}
