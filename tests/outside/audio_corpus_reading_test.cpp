// The readers on audio files that other tools wrote: each file opens or is refused without a
// crash or a hang; the kinds the player lists open with the length the reference decoders
// give, a read from the start gives exactly that length, and a seek anywhere lands on its
// target with the samples of that read: bit for bit, or for MP3 within the decoder's rounding.
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

// How far a seek's samples may lie from the read's: an MP3 seek decodes again from a few frames
// before its target, and libmpg123 then rounds a sample now and then by one step of the last
// bit the other way (never more on the corpus). A frame off differs by thousands on the
// corpus's sweeping tones. The other kinds give exactly the same samples.
int seekRounding(const CorpusFile& file) { return file.codec == "mp3" ? 1 : 0; }

// The largest difference between part and the samples of straight from sample frame `at` on.
int largestDifference(const std::vector<int16_t>& part, const std::vector<int16_t>& straight, int64_t at,
                      int channels) {
  int largest = 0;
  for (size_t i = 0; i < part.size(); ++i)
    largest = std::max(largest, std::abs(part[i] - straight[static_cast<size_t>(at * channels) + i]));
  return largest;
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

TEST(CorpusReading, ASeekLandsOnItsTargetWithTheSamplesOfAReadFromTheStart) {
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
      EXPECT_LE(largestDifference(part, straight, target, static_cast<int>(channels)), seekRounding(file));
    }
  }
}

// The seeks the player window makes in a ten-minute MP3 file, through the file control as the
// window calls it: the position bar dragged forward and far back, the resume after a pause a
// second behind what was read, small steps on, both ends, and, in the copy with its frame at
// 4:00 (2/5 of it) cut in two, the stretch around the cut, where a restart decodes over it.
// Each lands on its target with the samples of the reader's read from the start.
TEST(CorpusReading, ThePlayersSeeksInATenMinuteMp3LandOnTheSamplesOfAReadFromTheStart) {
  com::apartment apartment;
  auto control = createAudioFileObject<IAudioFileControl>(CLSID_AudioFileControl);
  ASSERT_TRUE(control);
  int checked = 0;
  for (const CorpusFile& file : audioCorpus()) {
    if (file.name != "made/lame-ten-minutes.mp3" && file.name != "made/ten-minutes-frame-cut.mp3") continue;
    SCOPED_TRACE(file.name);
    ++checked;
    OpenedReader opened = openAudioReader(file.path);
    ASSERT_TRUE(opened.reader);
    const auto straight = readToEnd(*opened.reader);
    ASSERT_EQ(control->OpenFile(com::bstr(file.path).get(), 0, 1), S_OK);
    LONG total = 0;
    control->get_TotalSamples(&total);
    ASSERT_EQ(total, opened.reader->totalFrames());
    constexpr LONG kBlock = 8820;  // 200 ms, as the player's BlockSize(200)
    LONG reading = 0;
    const auto seekAndRead = [&](LONG target) {
      SCOPED_TRACE(target);
      LONG reached = -1;
      ASSERT_EQ(control->Seek(target, 3, &reached), S_OK);
      ASSERT_EQ(reached, target);
      com::safearray block;
      ASSERT_EQ(control->ReadSamples(kBlock, block.put()), S_OK);
      const auto part = samplesOf(block.get());
      ASSERT_EQ(static_cast<LONG>(part.size()), std::min(kBlock, total - target) * 2);
      EXPECT_LE(largestDifference(part, straight, target, 2), seekRounding(file));
      reading = target + static_cast<LONG>(part.size()) / 2;
    };
    for (LONG k = 1; k <= 8; ++k) {
      seekAndRead(MulDiv(total, k, 9) + 1234 * k);
      seekAndRead(reading - 44100);
      seekAndRead(reading + 5000);
    }
    for (LONG k = 8; k >= 1; k -= 3) seekAndRead(MulDiv(total, k, 9) - 777 * k);
    for (LONG k = -6; k <= 12; ++k) seekAndRead(MulDiv(total, 2, 5) + 1500 * k);
    for (const LONG target : {total, total - 1, total - kBlock - 3, LONG{1}, LONG{0}}) seekAndRead(target);
  }
  EXPECT_EQ(checked, 2);
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
