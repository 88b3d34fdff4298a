// Reading WAV, MP3, Ogg Vorbis and WMA files back in blocks, seeking by sample frame, and
// refusing what is not the file its name says.
#include "outside/ZEVAudioFile/AudioReader.h"
#include "outside/ZEVAudioFile/Mp3Encoder.h"
#include "outside/ZEVAudioFile/OggEncoder.h"
#include "outside/ZEVAudioFile/WmaEncoder.h"
#include "tests/outside/AudioTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace audiofile;
using namespace outside_test;

namespace {

void put16(std::vector<uint8_t>& b, int v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
  put16(b, static_cast<int>(v & 0xFFFF));
  put16(b, static_cast<int>(v >> 16));
}

// A WAV file of integer PCM; samples are given as 16-bit values and stored at `bits`.
std::vector<uint8_t> wavBytes(const std::vector<int16_t>& pcm, int channels, int bits, int rate = kCdRate) {
  const uint32_t dataBytes = static_cast<uint32_t>(pcm.size() * bits / 8);
  std::vector<uint8_t> b;
  for (char c : std::string("RIFF")) b.push_back(static_cast<uint8_t>(c));
  put32(b, 36 + dataBytes);
  for (char c : std::string("WAVEfmt ")) b.push_back(static_cast<uint8_t>(c));
  put32(b, 16);
  put16(b, 1);
  put16(b, channels);
  put32(b, static_cast<uint32_t>(rate));
  put32(b, static_cast<uint32_t>(rate * channels * bits / 8));
  put16(b, channels * bits / 8);
  put16(b, bits);
  for (char c : std::string("data")) b.push_back(static_cast<uint8_t>(c));
  put32(b, dataBytes);
  for (int16_t s : pcm) {
    if (bits == 8) b.push_back(static_cast<uint8_t>((s >> 8) + 128));
    if (bits == 24) b.push_back(0);
    if (bits >= 16) put16(b, s);
  }
  return b;
}

OpenedReader openBytes(const std::wstring& name, const std::vector<uint8_t>& bytes) {
  writeBytes(scratchPath(name), bytes);
  return openAudioReader(scratchPath(name));
}

std::vector<int16_t> readAll(AudioReader& reader, size_t block = 4410) {
  std::vector<int16_t> all, part(block * static_cast<size_t>(reader.format().channels));
  while (size_t n = reader.read(part.data(), block))
    all.insert(all.end(), part.begin(), part.begin() + static_cast<ptrdiff_t>(n * reader.format().channels));
  return all;
}

template <class Encoder, class Settings>
std::wstring encodeFile(const std::wstring& name, const Settings& settings, const std::vector<int16_t>& pcm) {
  Encoder encoder(settings, PcmFormat{kCdRate, 2}, scratchPath(name));
  EXPECT_TRUE(encoder.write(pcm));
  EXPECT_TRUE(encoder.finish());
  return scratchPath(name);
}

}  // namespace

TEST(WavReading, SixteenBitStereoReadsBackExactly) {
  const auto pcm = stereoTones(10000);
  auto opened = openBytes(L"plain.wav", wavBytes(pcm, 2, 16));
  ASSERT_EQ(opened.error, OpenError::none);
  EXPECT_EQ(opened.reader->format().sampleRate, kCdRate);
  EXPECT_EQ(opened.reader->format().channels, 2);
  EXPECT_EQ(opened.reader->totalFrames(), 10000);
  EXPECT_EQ(readAll(*opened.reader, 999), pcm);
}

TEST(WavReading, EightAndTwentyFourBitMonoBecomeSixteenBit) {
  std::vector<int16_t> mono = {0, 256, -256, 32512, -32768};
  auto eight = openBytes(L"eight.wav", wavBytes(mono, 1, 8, 8000));
  ASSERT_EQ(eight.error, OpenError::none);
  EXPECT_EQ(eight.reader->format().channels, 1);
  EXPECT_EQ(readAll(*eight.reader), mono);
  auto wide = openBytes(L"wide.wav", wavBytes(mono, 1, 24));
  ASSERT_EQ(wide.error, OpenError::none);
  EXPECT_EQ(readAll(*wide.reader), mono);
}

TEST(WavReading, SeekGoesToASampleFrame) {
  const auto pcm = stereoTones(10000);
  auto opened = openBytes(L"seek.wav", wavBytes(pcm, 2, 16));
  ASSERT_EQ(opened.reader->seek(7000), 7000);
  EXPECT_EQ(readAll(*opened.reader), std::vector<int16_t>(pcm.begin() + 14000, pcm.end()));
  EXPECT_EQ(opened.reader->seek(20000), 10000);  // clamped to the end
  EXPECT_TRUE(readAll(*opened.reader).empty());
}

TEST(WavReading, ATruncatedDataChunkReadsWhatIsThere) {
  const auto pcm = stereoTones(1000);
  auto bytes = wavBytes(pcm, 2, 16);
  bytes.resize(bytes.size() - 401);  // 100 whole frames and one odd byte are missing
  auto opened = openBytes(L"short.wav", bytes);
  ASSERT_EQ(opened.error, OpenError::none);
  EXPECT_EQ(opened.reader->totalFrames(), 899);
  EXPECT_EQ(readAll(*opened.reader), std::vector<int16_t>(pcm.begin(), pcm.begin() + 2 * 899));
}

TEST(WavReading, FloatAndMultichannelWavFilesAreRefused) {
  auto floats = wavBytes(stereoTones(10), 2, 16);
  floats[20] = 3;  // IEEE float
  EXPECT_EQ(openBytes(L"float.wav", floats).error, OpenError::badContent);
  auto surround = wavBytes(std::vector<int16_t>(60), 6, 16);
  EXPECT_EQ(openBytes(L"surround.wav", surround).error, OpenError::badContent);
}

TEST(Mp3Reading, GivesBackTheEncodedLengthAndSound) {
  const auto pcm = stereoTones(kCdRate * 2);
  auto opened = openAudioReader(encodeFile<Mp3Encoder>(L"back.mp3", LameMp3Settings{}, pcm));
  ASSERT_EQ(opened.error, OpenError::none);
  EXPECT_EQ(opened.reader->format().sampleRate, kCdRate);
  // The header frame tells the decoder the encoder's delay and padding.
  EXPECT_EQ(opened.reader->totalFrames(), kCdRate * 2);
  const auto decoded = readAll(*opened.reader);
  EXPECT_EQ(decoded.size(), pcm.size());
  EXPECT_GT(snrDb(pcm, 2, decoded, 2, 0), 20);
  EXPECT_GT(snrDb(pcm, 2, decoded, 2, 1), 20);
}

TEST(Mp3Reading, SeekLandsOnTheSameSamplesAsReadingThere) {
  auto opened = openAudioReader(encodeFile<Mp3Encoder>(L"seek.mp3", LameMp3Settings{}, stereoTones(kCdRate * 2)));
  ASSERT_EQ(opened.error, OpenError::none);
  const auto all = readAll(*opened.reader);
  ASSERT_EQ(opened.reader->seek(50000), 50000);
  const auto tail = readAll(*opened.reader);
  ASSERT_EQ(tail.size(), all.size() - 100000);
  EXPECT_GT(snrDb(std::vector<int16_t>(all.begin() + 100000, all.end()), 2, tail, 2, 0), 40);
}

TEST(Mp3Reading, AnId3v2TagBeforeTheAudioIsSkipped) {
  auto bytes = readBytes(encodeFile<Mp3Encoder>(L"plain.mp3", LameMp3Settings{}, stereoTones(kCdRate)));
  std::vector<uint8_t> tagged = {'I', 'D', '3', 3, 0, 0, 0, 0, 1, 0};  // 128 bytes of tag body
  tagged.resize(10 + 128, 0);
  tagged.insert(tagged.end(), bytes.begin(), bytes.end());
  auto opened = openBytes(L"tagged.mp3", tagged);
  ASSERT_EQ(opened.error, OpenError::none);
  EXPECT_EQ(opened.reader->totalFrames(), kCdRate);
}

TEST(Mp3Reading, ATruncatedFileReadsWhatIsThere) {
  auto bytes = readBytes(encodeFile<Mp3Encoder>(L"whole.mp3", LameMp3Settings{}, stereoTones(kCdRate * 2)));
  bytes.resize(bytes.size() / 2 + 77);
  auto opened = openBytes(L"half.mp3", bytes);
  ASSERT_EQ(opened.error, OpenError::none);
  const auto decoded = readAll(*opened.reader);
  EXPECT_NEAR(static_cast<double>(decoded.size()), kCdRate * 2.0, 2 * 2 * 1152.0);
}

TEST(OggReading, GivesBackTheEncodedLengthAndSound) {
  const auto pcm = stereoTones(kCdRate * 2);
  auto opened = openAudioReader(encodeFile<OggEncoder>(L"back.ogg", OggFormat{}, pcm));
  ASSERT_EQ(opened.error, OpenError::none);
  EXPECT_EQ(opened.reader->totalFrames(), kCdRate * 2);
  const auto decoded = readAll(*opened.reader);
  EXPECT_EQ(decoded.size(), pcm.size());
  EXPECT_GT(snrDb(pcm, 2, decoded, 2, 0), 20);
  EXPECT_GT(snrDb(pcm, 2, decoded, 2, 1), 20);
  ASSERT_EQ(opened.reader->seek(60000), 60000);
  EXPECT_EQ(readAll(*opened.reader).size(), pcm.size() - 120000);
}

TEST(OggReading, ATruncatedFileReadsWhatIsThere) {
  // Coded with a minimum and a maximum bitrate, so that half the bytes hold about half the
  // sound: a nominal bitrate alone lets steady tones take far fewer bits than the headers.
  const OggFormat managed{kCdRate, 2, 128, 112, 144, -1};
  auto bytes = readBytes(encodeFile<OggEncoder>(L"whole.ogg", managed, stereoTones(kCdRate * 8)));
  bytes.resize(bytes.size() / 2);
  auto opened = openBytes(L"half.ogg", bytes);
  ASSERT_EQ(opened.error, OpenError::none);
  const auto decoded = readAll(*opened.reader);
  EXPECT_EQ(decoded.size(), static_cast<size_t>(opened.reader->totalFrames() * 2));
  EXPECT_NEAR(static_cast<double>(decoded.size()), kCdRate * 8.0, kCdRate * 2.0);
}

// WMA is coded in whole frames (2048 samples at 44100 Hz), and a frame's sound is complete only
// with the next one: a decoded file runs one to two frames over the end of the sound written.
constexpr int64_t kWmaFrame = 2048;

TEST(WmaReading, GivesBackTheSoundAfterTheCodecsDelayAndSeeksToTheExactFrame) {
  const auto pcm = stereoTones(kCdRate * 3);
  auto opened = openAudioReader(encodeFile<WmaEncoder>(L"back.wma", findWmaProfile(24), pcm));
  ASSERT_EQ(opened.error, OpenError::none);
  AudioReader& reader = *opened.reader;
  EXPECT_EQ(reader.format().sampleRate, kCdRate);
  EXPECT_EQ(reader.format().channels, 2);
  const int64_t total = reader.totalFrames();
  EXPECT_GE(total, kCdRate * 3 + kWmaFrame);
  EXPECT_LT(total, kCdRate * 3 + 2 * kWmaFrame);
  const auto all = readAll(reader);
  ASSERT_EQ(static_cast<int64_t>(all.size()), total * 2) << "the length is the count the decoder gives";
  for (int channel : {0, 1}) EXPECT_GT(snrDb(pcm, 2, all, 2, channel), 30) << "from the first sample: " << channel;
  // Forwards, backwards, to the start and to the end: the samples a straight read gives there.
  for (const int64_t frame : {int64_t{50000}, int64_t{3000}, int64_t{100001}, int64_t{0}, total}) {
    ASSERT_EQ(reader.seek(frame), frame);
    std::vector<int16_t> part(2 * 4410);
    const size_t got = reader.read(part.data(), 4410);
    ASSERT_EQ(static_cast<int64_t>(got), std::min<int64_t>(4410, total - frame)) << frame;
    part.resize(got * 2);
    EXPECT_TRUE(std::equal(part.begin(), part.end(), all.begin() + frame * 2)) << frame;
  }
}

TEST(WmaWriting, EveryProfileOfTheTableGivesItsRateChannelsAndBitrate) {
  constexpr int kSeconds = 8;
  const auto pcm = stereoTones(kCdRate * kSeconds);
  int profiles = 0;
  for (long number = -100; number <= 100; ++number) {
    const WmaProfile* profile = findWmaProfile(number);
    if (!profile) continue;
    ++profiles;
    SCOPED_TRACE(number);
    const std::wstring path = encodeFile<WmaEncoder>(L"profile.wma", profile, pcm);
    auto opened = openAudioReader(path);
    ASSERT_EQ(opened.error, OpenError::none);
    EXPECT_EQ(opened.reader->format().sampleRate, profile->sampleRate);
    EXPECT_EQ(opened.reader->format().channels, profile->channels);
    // Above the profile's bitrate by the container: its header and index (a few kB) and 17 bytes
    // a frame of packet headers; no more.
    const double kbps = static_cast<double>(readBytes(path).size()) * 8 / kSeconds / 1000;
    EXPECT_GT(kbps, profile->bitrate * 0.98);
    EXPECT_LT(kbps, profile->bitrate * 1.25);
  }
  EXPECT_GE(profiles, 10);
  const WmaProfile* byDefault = findWmaProfile(24);
  ASSERT_NE(byDefault, nullptr);
  EXPECT_EQ(byDefault->sampleRate, 44100);
  EXPECT_EQ(byDefault->channels, 2);
  EXPECT_EQ(byDefault->bitrate, 128);
}

TEST(WmaReading, ATruncatedFileReadsWhatIsThereAndADamagedOneWhatDecodes) {
  const auto bytes = readBytes(encodeFile<WmaEncoder>(L"whole.wma", findWmaProfile(24), stereoTones(kCdRate * 4)));
  auto half = openBytes(L"half.wma", std::vector<uint8_t>(bytes.begin(), bytes.begin() + bytes.size() / 2));
  ASSERT_EQ(half.error, OpenError::none);
  EXPECT_NEAR(static_cast<double>(half.reader->totalFrames()), kCdRate * 2.0, kCdRate / 2.0);
  EXPECT_EQ(static_cast<int64_t>(readAll(*half.reader).size()), half.reader->totalFrames() * 2);
  // Noise over a stretch of the audio: the packets that do not decode give nothing, the same
  // each time, so the length still counts exactly what is read.
  auto damaged = bytes;
  std::mt19937 random(3);
  for (size_t i = damaged.size() / 3; i < damaged.size() / 3 + 5000; ++i) damaged[i] = static_cast<uint8_t>(random());
  auto opened = openBytes(L"damaged.wma", damaged);
  ASSERT_EQ(opened.error, OpenError::none);
  EXPECT_EQ(static_cast<int64_t>(readAll(*opened.reader).size()), opened.reader->totalFrames() * 2);
  ASSERT_EQ(opened.reader->seek(kCdRate * 3), kCdRate * 3);
  EXPECT_EQ(static_cast<int64_t>(readAll(*opened.reader).size()), (opened.reader->totalFrames() - kCdRate * 3) * 2);
}

TEST(BadAudioFiles, OpenWithAnErrorAndNeverAReader) {
  std::vector<uint8_t> noise(50000);
  std::mt19937 random(7);
  for (auto& b : noise) b = static_cast<uint8_t>(random());
  const auto wav = wavBytes(stereoTones(kCdRate), 2, 16);
  const auto mp3 = readBytes(encodeFile<Mp3Encoder>(L"real.mp3", LameMp3Settings{}, stereoTones(kCdRate)));
  const auto wma = readBytes(encodeFile<WmaEncoder>(L"real.wma", findWmaProfile(24), stereoTones(kCdRate)));
  auto wmaNoHeader = wma;
  std::fill_n(wmaNoHeader.begin(), 16, uint8_t{0});  // the header object's identifier
  const struct {
    const wchar_t* name;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {L"empty.wav", {}},
      {L"empty.mp3", {}},
      {L"empty.ogg", {}},
      {L"noise.wav", noise},
      {L"noise.mp3", noise},
      {L"noise.ogg", noise},
      {L"wav-inside.mp3", wav},
      {L"wav-inside.ogg", wav},
      {L"mp3-inside.wav", mp3},
      {L"mp3-inside.ogg", mp3},
      {L"cut-header.wav", std::vector<uint8_t>(wav.begin(), wav.begin() + 30)},
      {L"cut-header.mp3", std::vector<uint8_t>(mp3.begin(), mp3.begin() + 3)},
      {L"empty.wma", {}},
      {L"noise.wma", noise},
      {L"mp3-inside.wma", mp3},
      {L"wma-inside.mp3", wma},
      {L"cut-header.wma", std::vector<uint8_t>(wma.begin(), wma.begin() + 200)},
      {L"no-header.wma", wmaNoHeader},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
    const auto opened = openBytes(c.name, c.bytes);
    EXPECT_EQ(opened.error, OpenError::badContent);
    EXPECT_EQ(opened.reader, nullptr);
  }
}

TEST(BadAudioFiles, NamesSayWhatCannotBeRead) {
  EXPECT_EQ(openBytes(L"song.txt", wavBytes(stereoTones(100), 2, 16)).error, OpenError::unknownType);
  EXPECT_EQ(openBytes(L"song", {}).error, OpenError::unknownType);
  EXPECT_EQ(openAudioReader(scratchPath(L"missing.wav")).error, OpenError::cannotOpen);
  EXPECT_EQ(openAudioReader(scratchPath(L"no-folder\\missing.mp3")).error, OpenError::cannotOpen);
}
