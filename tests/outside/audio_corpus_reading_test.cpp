// The readers on audio files that other tools wrote: each file opens or is refused without a
// crash or a hang; the kinds the player lists open with the length the reference decoders
// give, a read from the start gives exactly that length, and a seek anywhere gives the
// samples of that read, bit for bit.
#include "outside/ZEVAudioFile/AudioReader.h"
#include "tests/outside/AudioCorpus.h"
#include "tests/outside/AudioFileClient.h"

#include "com/Apartment.h"
#include "com/Bstr.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace audiofile;
using namespace outside_test;

namespace {

std::string extensionOf(const std::string& name) {
  std::string ext = name.substr(name.find_last_of('.') + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

// Whether ffmpeg decodes the file as the kind its name says, one the player lists.
bool isPlayerKind(const CorpusFile& file) {
  const std::string ext = extensionOf(file.name);
  if (ext == "mp3") return file.codec == "mp3";
  if (ext == "ogg") return file.codec == "vorbis";
  if (ext == "wav") return file.codec == "pcm_s16le";
  if (ext == "wma")
    return file.codec == "wmav1" || file.codec == "wmav2" || file.codec == "wmapro" || file.codec == "wmalossless";
  return false;
}

// How far the length may lie from the reference decoder's: libvorbisfile's exactly; the others
// within two of the codec's frames. The mpg123 program streams the file, while the MP3 reader
// scans it first, and libmpg123 keeps the encoder's delay (1105 samples) when the scan finds
// fewer frames than the LAME header counts; ffmpeg leaves out the WMA codec's delay at the start.
int64_t lengthTolerance(const CorpusFile& file) {
  if (file.codec == "mp3") return 2 * (file.sampleRate >= 32000 ? 1152 : 576);
  if (file.codec.starts_with("wma")) return 2 * (file.sampleRate > 48000 ? 4096 : 2048);
  return 0;
}

std::vector<int16_t> readFrames(AudioReader& reader, int64_t frames) {
  const auto channels = static_cast<size_t>(reader.format().channels);
  std::vector<int16_t> out;
  std::vector<int16_t> block(4096 * channels);
  while (frames > 0) {
    const size_t got = reader.read(block.data(), static_cast<size_t>(std::min<int64_t>(frames, 4096)));
    if (got == 0) break;
    out.insert(out.end(), block.begin(), block.begin() + static_cast<ptrdiff_t>(got * channels));
    frames -= static_cast<int64_t>(got);
  }
  return out;
}

std::vector<int16_t> readToEnd(AudioReader& reader) { return readFrames(reader, INT64_MAX); }

}  // namespace

TEST(CorpusReading, ThePlayersKindsOpenWithTheReferenceLengthAndReadExactlyThatMuch) {
  int checked = 0;
  for (const CorpusFile& file : audioCorpus()) {
    SCOPED_TRACE(file.name + " (" + file.codec + ")");
    OpenedReader opened = openAudioReader(file.path);
    if (!isPlayerKind(file)) {
      // Anything else may open or not, but what opens reads its length and stops.
      if (opened.reader) {
        EXPECT_EQ(static_cast<int64_t>(readToEnd(*opened.reader).size()),
                  opened.reader->totalFrames() * opened.reader->format().channels);
      }
      continue;
    }
    ++checked;
    EXPECT_EQ(opened.error, OpenError::none);
    if (!opened.reader) continue;
    AudioReader& reader = *opened.reader;
    EXPECT_EQ(reader.format().sampleRate, file.sampleRate);
    EXPECT_EQ(reader.format().channels, file.channels);
    EXPECT_LE(std::abs(reader.totalFrames() - file.frames), lengthTolerance(file))
        << reader.totalFrames() << " frames against the reference's " << file.frames;
    EXPECT_EQ(static_cast<int64_t>(readToEnd(reader).size()), reader.totalFrames() * file.channels)
        << "a read from the start gives TotalSamples";
  }
  EXPECT_GE(checked, 40);
}

TEST(CorpusReading, ASeekGivesTheSamplesOfAReadFromTheStart) {
  for (const CorpusFile& file : audioCorpus()) {
    if (!isPlayerKind(file)) continue;
    SCOPED_TRACE(file.name + " (" + file.codec + ")");
    OpenedReader opened = openAudioReader(file.path);
    if (!opened.reader) continue;  // the test above tells
    AudioReader& reader = *opened.reader;
    const int64_t total = reader.totalFrames();
    const auto channels = static_cast<int64_t>(reader.format().channels);
    const auto straight = readToEnd(reader);
    if (static_cast<int64_t>(straight.size()) < total * channels) continue;  // as is this
    // Forwards and backwards: 60 %, near the start, near the end, the very start, and a dozen
    // points between, off the codecs' frame sizes.
    std::vector<int64_t> targets = {total * 6 / 10, 1000, total - 3000, 0};
    for (int64_t k = 1; k <= 12; ++k) targets.push_back(total * k / 13 + 7 * k);
    for (const int64_t target : targets) {
      if (target < 0 || target > total) continue;
      SCOPED_TRACE(target);
      EXPECT_EQ(reader.seek(target), target);
      const auto part = readFrames(reader, 3000);
      const int64_t expected = std::min<int64_t>(3000, total - target);
      EXPECT_EQ(static_cast<int64_t>(part.size()), expected * channels);
      const auto from = straight.begin() + static_cast<ptrdiff_t>(target * channels);
      const auto mismatch = std::mismatch(part.begin(), part.end(), from, straight.end());
      EXPECT_TRUE(mismatch.first == part.end())
          << "first differing sample at frame " << (mismatch.first - part.begin()) / channels << " after the seek";
    }
  }
}

// A file with no audio stream of its name's kind (a WAV file or random bytes named .mp3, .ogg
// or .wma) is refused as damaged content, through the registered control as the player meets it.
TEST(CorpusReading, FilesWithNoAudioStreamOfTheirKindAreRefusedAsDamaged) {
  com::apartment apartment;
  auto control = createAudioFileObject<IAudioFileControl>(CLSID_AudioFileControl);
  ASSERT_TRUE(control);
  ASSERT_EQ(control->put_WmaFormatEnabled(VARIANT_TRUE), S_OK);
  for (const CorpusFile& file : audioCorpus()) {
    if (!(file.name == "made/wav-named.mp3" || file.name.starts_with("made/random."))) continue;
    SCOPED_TRACE(file.name);
    ASSERT_EQ(control->OpenFile(com::bstr(file.path).get(), 0, 1), S_OK);
    LONG error = -1, total = -1;
    control->get_OpenError(&error);
    control->get_TotalSamples(&total);
    EXPECT_EQ(error, AFE_BAD_CONTENT);
    EXPECT_EQ(total, 0);
  }
}

// Ogg Vorbis files whose final page claims far more than their audio, as far as 2^62 frames,
// open at once with the length of their audio and seek to its very end.
TEST(CorpusReading, OggFilesClaimingAnyLengthOpenWithTheLengthOfTheirAudio) {
  int found = 0;
  for (const CorpusFile& file : audioCorpus()) {
    if (!file.name.starts_with("made/granule-")) continue;
    ++found;
    SCOPED_TRACE(file.name);
    OpenedReader opened = openAudioReader(file.path);
    ASSERT_TRUE(opened.reader);
    AudioReader& reader = *opened.reader;
    EXPECT_EQ(reader.totalFrames(), file.frames) << "oggdec's count";
    for (const int64_t target : {file.frames - 1, file.frames}) {
      EXPECT_EQ(reader.seek(target), target);
      EXPECT_EQ(static_cast<int64_t>(readToEnd(reader).size()), (file.frames - target) * file.channels);
    }
  }
  EXPECT_EQ(found, 3);
}
