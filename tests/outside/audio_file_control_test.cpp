// The file control as the player uses it: CloseFile, WmaFormatEnabled, OpenFile(name, 0, 1),
// OpenError, TotalSamples, FormatB and FormatA, Seek(position, 3) and ReadSamples blocks.
#include "com/Apartment.h"
#include "com/Bstr.h"
#include "tests/outside/AudioFileClient.h"
#include "tests/outside/AudioTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace outside_test;

namespace {

// A 16-bit stereo WAV file at 44100 Hz.
std::vector<uint8_t> wavFile(const std::vector<int16_t>& pcm) {
  const auto dataBytes = static_cast<uint32_t>(pcm.size() * 2);
  std::vector<uint8_t> b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                            1,   0,   2,   0,   0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0,
                            'd', 'a', 't', 'a'};
  for (int shift = 0; shift < 32; shift += 8) b.push_back(static_cast<uint8_t>(dataBytes >> shift));
  const uint32_t riff = dataBytes + 36;
  for (int i = 0; i < 4; ++i) b[4 + i] = static_cast<uint8_t>(riff >> (8 * i));
  const auto* bytes = reinterpret_cast<const uint8_t*>(pcm.data());
  b.insert(b.end(), bytes, bytes + dataBytes);
  return b;
}

class FileControl : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(apartment_);
    control_ = createAudioFileObject<IAudioFileControl>(CLSID_AudioFileControl);
    ASSERT_TRUE(control_);
  }

  LONG open(const std::wstring& path) {
    EXPECT_EQ(control_->OpenFile(com::bstr(path).get(), 0, 1), S_OK);
    LONG error = -1;
    EXPECT_EQ(control_->get_OpenError(&error), S_OK);
    return error;
  }

  LONG totalSamples() {
    LONG total = -1;
    EXPECT_EQ(control_->get_TotalSamples(&total), S_OK);
    return total;
  }

  std::vector<int16_t> read(LONG frames) {
    com::safearray block;
    EXPECT_EQ(control_->ReadSamples(frames, block.put()), S_OK);
    return samplesOf(block.get());
  }

  com::apartment apartment_;
  com::ptr<IAudioFileControl> control_;
};

}  // namespace

TEST_F(FileControl, ReadsAWavFileInBlocksAndSeeksBySampleFrame) {
  const auto pcm = stereoTones(30000);
  writeBytes(scratchPath(L"player.wav"), wavFile(pcm));
  const auto reading = readThroughControl(scratchPath(L"player.wav"), 1000);
  EXPECT_EQ(reading.openError, AFE_NONE);
  EXPECT_EQ(reading.totalSamples, 30000);
  EXPECT_EQ(reading.formatA, 44100);
  EXPECT_EQ(reading.formatB, 2);
  EXPECT_EQ(reading.pcm, pcm);

  ASSERT_EQ(open(scratchPath(L"player.wav")), AFE_NONE);
  LONG reached = -1;
  // The player seeks to MulDiv(slider, TotalSamples, 1000).
  ASSERT_EQ(control_->Seek(MulDiv(500, totalSamples(), 1000), 3, &reached), S_OK);
  EXPECT_EQ(reached, 15000);
  EXPECT_EQ(read(200), std::vector<int16_t>(pcm.begin() + 30000, pcm.begin() + 30400));
  ASSERT_EQ(control_->Seek(40000, 3, &reached), S_OK);
  EXPECT_EQ(reached, 30000);
  EXPECT_TRUE(read(200).empty());
  EXPECT_EQ(control_->Seek(0, 1, &reached), E_INVALIDARG);  // positions are in sample frames only
}

TEST_F(FileControl, WmaOpensOnlyWhileEnabled) {
  const auto pcm = stereoTones(20000);
  {
    const auto file = createAudioFileObject<IAudioFile>(CLSID_AudioFile);
    ASSERT_EQ(file->CreateOutputFile(com::bstr(scratchPath(L"song.wma")).get(), 0), S_OK);
    com::safearray block = sampleBlock(pcm);
    SAFEARRAY* raw = block.get();
    ASSERT_EQ(file->WriteSamples(&raw), S_OK);
    ASSERT_EQ(file->CloseFile(), S_OK);
  }
  EXPECT_EQ(open(scratchPath(L"song.wma")), AFE_UNKNOWN_TYPE);
  EXPECT_EQ(totalSamples(), 0);
  ASSERT_EQ(control_->put_WmaFormatEnabled(VARIANT_TRUE), S_OK);
  ASSERT_EQ(open(scratchPath(L"song.wma")), AFE_NONE);
  EXPECT_GE(totalSamples(), 20000 + 2048);
  LONG reached = -1;
  ASSERT_EQ(control_->Seek(10000, 3, &reached), S_OK);
  EXPECT_EQ(reached, 10000);
  EXPECT_EQ(read(500).size(), 1000u);
  writeBytes(scratchPath(L"noise.wma"), std::vector<uint8_t>(3000, 'w'));
  EXPECT_EQ(open(scratchPath(L"noise.wma")), AFE_BAD_CONTENT);
}

TEST_F(FileControl, BadFilesOpenWithAnErrorAndReadNothing) {
  std::vector<uint8_t> noise(20000);
  std::mt19937 random(11);
  for (auto& b : noise) b = static_cast<uint8_t>(random());
  const auto wav = wavFile(stereoTones(1000));
  writeBytes(scratchPath(L"noise.mp3"), noise);
  writeBytes(scratchPath(L"noise.ogg"), noise);
  writeBytes(scratchPath(L"empty.wav"), {});
  writeBytes(scratchPath(L"wave.ogg"), wav);
  writeBytes(scratchPath(L"short.wav"), std::vector<uint8_t>(wav.begin(), wav.begin() + 20));
  for (const wchar_t* name : {L"noise.mp3", L"noise.ogg", L"empty.wav", L"wave.ogg", L"short.wav"}) {
    SCOPED_TRACE(std::string(name, name + wcslen(name)));
    EXPECT_EQ(open(scratchPath(name)), AFE_BAD_CONTENT);
    EXPECT_EQ(totalSamples(), 0);
    EXPECT_TRUE(read(1000).empty());
  }
  EXPECT_EQ(open(scratchPath(L"not there.mp3")), AFE_CANNOT_OPEN);
  EXPECT_EQ(open(scratchPath(L"notes.txt")), AFE_UNKNOWN_TYPE);
  ASSERT_EQ(control_->OpenFile(com::bstr(scratchPath(L"short.wav")).get(), 1, 1), S_OK);
  LONG error = 0;
  control_->get_OpenError(&error);
  EXPECT_EQ(error, AFE_BAD_ARGUMENTS);
}

TEST_F(FileControl, CloseFileLeavesNothingOpen) {
  writeBytes(scratchPath(L"closing.wav"), wavFile(stereoTones(500)));
  ASSERT_EQ(open(scratchPath(L"closing.wav")), AFE_NONE);
  ASSERT_EQ(control_->CloseFile(), S_OK);
  EXPECT_EQ(totalSamples(), 0);
  LONG rate = -1;
  control_->get_FormatA(&rate);
  EXPECT_EQ(rate, 0);
  EXPECT_TRUE(read(100).empty());
  // The file is no longer held: it can be deleted.
  EXPECT_TRUE(DeleteFileW(scratchPath(L"closing.wav").c_str()));
}
