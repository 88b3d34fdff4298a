// Tags written through taglib and read back by taglib itself: ID3v2.3 and ID3v1 in MP3, Vorbis
// comments in Ogg, RIFF INFO in WAV, ASF attributes in WMA; the audio stays as it was; bad
// files change nothing.
#include "outside/ZEVAudioFile/AudioReader.h"
#include "outside/ZEVAudioFile/Mp3Encoder.h"
#include "outside/ZEVAudioFile/OggEncoder.h"
#include "outside/ZEVAudioFile/WmaEncoder.h"
#include "outside/ZEVAudioInformation/Genres.h"
#include "outside/ZEVAudioInformation/TagFile.h"
#include "tests/outside/AudioTestSupport.h"

#include <gtest/gtest.h>

#include <taglib/asffile.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mpegfile.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>

#include <random>

using namespace audioinfo;
using namespace outside_test;

namespace {

const std::wstring kTitle = L"\u00C9t\u00E9 \u2013 \u6771\u4EAC";

TagChanges fullChanges() {
  TagChanges c;
  c.title = kTitle;
  c.artist = L"The Artist";
  c.album = L"The Album";
  c.genre = 17;
  c.year = 1999;
  return c;
}

template <class Encoder, class Settings>
std::wstring encodedFile(const std::wstring& name, const Settings& settings, int frames = kCdRate * 2) {
  Encoder encoder(settings, audiofile::PcmFormat{}, scratchPath(name));
  encoder.write(stereoTones(frames));
  EXPECT_TRUE(encoder.finish());
  return scratchPath(name);
}

std::wstring wavFile(const std::wstring& name, int frames) {
  std::vector<uint8_t> b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                            1,   0,   2,   0,   0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0,
                            'd', 'a', 't', 'a'};
  const auto pcm = stereoTones(frames);
  const auto bytes = static_cast<uint32_t>(pcm.size() * 2);
  for (int shift = 0; shift < 32; shift += 8) b.push_back(static_cast<uint8_t>(bytes >> shift));
  for (int i = 0; i < 4; ++i) b[4 + i] = static_cast<uint8_t>((bytes + 36) >> (8 * i));
  b.insert(b.end(), reinterpret_cast<const uint8_t*>(pcm.data()), reinterpret_cast<const uint8_t*>(pcm.data()) + bytes);
  writeBytes(scratchPath(name), b);
  return scratchPath(name);
}

std::vector<int16_t> decoded(const std::wstring& path) {
  auto opened = audiofile::openAudioReader(path);
  EXPECT_EQ(opened.error, audiofile::OpenError::none);
  std::vector<int16_t> pcm(static_cast<size_t>(opened.reader->totalFrames() * opened.reader->format().channels));
  opened.reader->read(pcm.data(), static_cast<size_t>(opened.reader->totalFrames()));
  return pcm;
}

void expectFullTags(const TagLib::Tag& tag) {
  EXPECT_EQ(tag.title().toWString(), kTitle);
  EXPECT_EQ(tag.artist().toWString(), L"The Artist");
  EXPECT_EQ(tag.album().toWString(), L"The Album");
  EXPECT_EQ(tag.genre().toWString(), L"Rock");
  EXPECT_EQ(tag.year(), 1999u);
}

}  // namespace

TEST(GenreList, HasTheStandardNamesInTheirNumbering) {
  EXPECT_EQ(genreName(0), L"Blues");
  EXPECT_EQ(genreName(17), L"Rock");
  EXPECT_EQ(genreName(79), L"Hard Rock");
  EXPECT_EQ(genreName(147), L"Synthpop");
  EXPECT_EQ(genreName(148), L"");
  EXPECT_EQ(genreName(-1), L"");
  for (int i = 0; i < kGenreCount; ++i) EXPECT_EQ(genreIndex(genreName(i)), i);
  EXPECT_EQ(genreIndex(L"rock"), 17);
  EXPECT_EQ(genreIndex(L"No Such Genre"), -1);
}

TEST(TagFile, Mp3GetsId3v23AndId3v1AndKeepsItsAudio) {
  const auto path = encodedFile<audiofile::Mp3Encoder>(L"tagged.mp3", audiofile::LameMp3Settings{});
  const auto before = decoded(path);
  ASSERT_TRUE(writeTags(path, fullChanges()));
  TagLib::MPEG::File file(path.c_str());
  ASSERT_TRUE(file.hasID3v2Tag());
  ASSERT_TRUE(file.hasID3v1Tag());
  EXPECT_EQ(file.ID3v2Tag()->header()->majorVersion(), 3u);
  expectFullTags(*file.ID3v2Tag());
  EXPECT_EQ(file.ID3v1Tag()->artist().toWString(), L"The Artist");
  EXPECT_EQ(file.ID3v1Tag()->genreNumber(), 17u);
  EXPECT_EQ(decoded(path), before);
}

TEST(TagFile, OggGetsVorbisCommentsAndKeepsItsAudio) {
  const auto path = encodedFile<audiofile::OggEncoder>(L"tagged.ogg", audiofile::OggFormat{});
  const auto before = decoded(path);
  ASSERT_TRUE(writeTags(path, fullChanges()));
  TagLib::Ogg::Vorbis::File file(path.c_str());
  ASSERT_TRUE(file.isValid());
  expectFullTags(*file.tag());
  EXPECT_EQ(file.tag()->fieldListMap()["GENRE"].front().toWString(), L"Rock");
  EXPECT_EQ(decoded(path), before);
}

TEST(TagFile, WavGetsRiffInfoAndKeepsItsAudio) {
  const auto path = wavFile(L"tagged.wav", kCdRate * 2);
  const auto before = decoded(path);
  ASSERT_TRUE(writeTags(path, fullChanges()));
  TagLib::RIFF::WAV::File file(path.c_str());
  ASSERT_TRUE(file.hasInfoTag());
  expectFullTags(*file.InfoTag());
  EXPECT_EQ(file.InfoTag()->fieldText("INAM").toWString(), kTitle);
  EXPECT_EQ(decoded(path), before);
}

TEST(TagFile, WmaGetsAsfAttributesKeepsItsAudioAndReadsItsDecodedLength) {
  const auto path = encodedFile<audiofile::WmaEncoder>(L"tagged.wma", audiofile::findWmaProfile(24));
  const auto before = decoded(path);
  ASSERT_TRUE(writeTags(path, fullChanges()));
  {
    TagLib::ASF::File file(path.c_str());
    ASSERT_TRUE(file.isValid());
    expectFullTags(*file.tag());
  }
  EXPECT_EQ(decoded(path), before);
  const auto info = readFileInfo(path);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->tags.title, kTitle);
  EXPECT_EQ(info->tags.genre, 17);
  EXPECT_EQ(info->tags.year, 1999);
  // Exactly the decoder's count, which the header's playing time (in milliseconds) is not.
  EXPECT_EQ(countSamples(path), static_cast<int64_t>(before.size() / 2));
}

TEST(TagFile, ReadsBackTagsDurationAndLength) {
  const auto wav = wavFile(L"info.wav", kCdRate * 2);
  ASSERT_TRUE(writeTags(wav, fullChanges()));
  const auto info = readFileInfo(wav);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->tags.title, kTitle);
  EXPECT_EQ(info->tags.genre, 17);
  EXPECT_EQ(info->tags.year, 1999);
  EXPECT_EQ(info->durationMs, 2000);
  EXPECT_EQ(countSamples(wav), kCdRate * 2);
  const auto mp3Path = encodedFile<audiofile::Mp3Encoder>(L"info.mp3", audiofile::LameMp3Settings{});
  const auto mp3 = readFileInfo(mp3Path);
  ASSERT_TRUE(mp3);
  EXPECT_EQ(mp3->durationMs, 2000);
  EXPECT_EQ(countSamples(mp3Path), kCdRate * 2);
  EXPECT_EQ(mp3->tags.genre, -1);
  const auto ogg = readFileInfo(encodedFile<audiofile::OggEncoder>(L"info.ogg", audiofile::OggFormat{}));
  ASSERT_TRUE(ogg);
  EXPECT_EQ(ogg->durationMs, 2000);
}

TEST(TagFile, ChangesNotGivenKeepTheFilesValues) {
  const auto path = wavFile(L"partial.wav", 1000);
  ASSERT_TRUE(writeTags(path, fullChanges()));
  TagChanges only;
  only.title = L"New Title";
  only.genre = -1;  // not on the list: removed
  only.year = 0;    // removed
  ASSERT_TRUE(writeTags(path, only));
  const auto info = readFileInfo(path);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->tags.title, L"New Title");
  EXPECT_EQ(info->tags.artist, L"The Artist");
  EXPECT_EQ(info->tags.genre, -1);
  EXPECT_EQ(info->tags.year, 0);
}

TEST(TagFile, BadFilesReadAsNothingAndAreNotChanged) {
  std::vector<uint8_t> noise(30000);
  std::mt19937 random(5);
  for (auto& b : noise) b = static_cast<uint8_t>(random());
  const auto wav = readBytes(wavFile(L"source.wav", 4000));
  const struct {
    const wchar_t* name;
    std::vector<uint8_t> bytes;
  } cases[] = {{L"noise.mp3", noise}, {L"noise.ogg", noise},         {L"noise.wav", noise},
               {L"empty.mp3", {}},    {L"wav-inside.ogg", wav},      {L"cut.wav", {wav.begin(), wav.begin() + 30}},
               {L"noise.wma", noise}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
    writeBytes(scratchPath(c.name), c.bytes);
    EXPECT_FALSE(readFileInfo(scratchPath(c.name)));
    EXPECT_FALSE(writeTags(scratchPath(c.name), fullChanges()));
    EXPECT_EQ(readBytes(scratchPath(c.name)), c.bytes);
  }
  EXPECT_FALSE(readFileInfo(scratchPath(L"missing.mp3")));
  EXPECT_FALSE(writeTags(scratchPath(L"missing.mp3"), fullChanges()));
}

// A writer that could not go back leaves the RIFF and data sizes 0 or all ones, and readers take
// the audio to the end of the file: tags saved there must not become audio, for a file cut off
// in the middle of a frame as for an empty one. A read-only file is not written at all.
TEST(TagFile, WavWithItsSizesLeftOpenKeepsItsAudio) {
  const auto size32 = [](const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24);
  };
  const auto whole = readBytes(wavFile(L"sized.wav", 3000));
  const struct {
    const wchar_t* name;
    uint8_t fill;  // of both size fields
    size_t length;
  } cases[] = {{L"zero.wav", 0, whole.size() - 5}, {L"ones.wav", 0xFF, whole.size() - 5}, {L"empty.wav", 0, 44}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
    std::vector<uint8_t> bytes(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(c.length));
    std::fill(bytes.begin() + 4, bytes.begin() + 8, c.fill);
    std::fill(bytes.begin() + 40, bytes.begin() + 44, c.fill);
    const std::wstring path = scratchPath(c.name);
    writeBytes(path, bytes);
    const auto before = decoded(path);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(writeTags(path, fullChanges()));
    EXPECT_EQ(readBytes(path), bytes);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(writeTags(path, fullChanges()));
    EXPECT_EQ(decoded(path), before);
    const auto info = readFileInfo(path);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->tags.title, kTitle);
    const auto saved = readBytes(path);
    EXPECT_EQ(size32(saved, 4), saved.size() - 8) << "the RIFF chunk holds the whole file";
  }
}
