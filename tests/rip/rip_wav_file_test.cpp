// The WAV file of a rip: a RIFF WAVE file with an 18-byte format chunk whose sizes are right
// whenever it is closed, also after a rip that ended early.
#include <gtest/gtest.h>

#include <vector>

#include "RipTestKit.h"
#include "TestFiles.h"
#include "WavFile.h"

namespace {

using riptest::ReadWav;


TEST(WavFile, HeaderDescribesCDAudioInAnEighteenByteFormat) {
  const std::string path = simdrive::ScratchPath("header.wav");
  const std::vector<std::uint8_t> audio = riptest::GeneratedAudio(0, 3);
  {
    rip::WavFile file;
    ASSERT_TRUE(file.Create(path));
    ASSERT_TRUE(file.Write(audio.data(), 2352));
    ASSERT_TRUE(file.Write(audio.data() + 2352, 2 * 2352));
    ASSERT_TRUE(file.Close());
  }
  const riptest::WavContents wav = ReadWav(path);
  EXPECT_EQ(riptest::CDAudioFormatProblem(wav), "");
  EXPECT_EQ(wav.data, audio);
}

TEST(WavFile, FileLeftOpenIsClosedValidWhenItsOwnerGoes) {
  const std::string path = simdrive::ScratchPath("abandoned.wav");
  {
    rip::WavFile file;
    ASSERT_TRUE(file.Create(path));
    ASSERT_TRUE(file.Write(riptest::GeneratedAudio(10, 1).data(), 2352));
  }
  const riptest::WavContents wav = ReadWav(path);
  ASSERT_TRUE(wav.valid) << wav.problem;
  EXPECT_EQ(wav.data.size(), 2352u);
}

TEST(WavFile, EmptyRipIsAValidFileWithNoAudio) {
  const std::string path = simdrive::ScratchPath("empty.wav");
  rip::WavFile file;
  ASSERT_TRUE(file.Create(path));
  ASSERT_TRUE(file.Close());
  const riptest::WavContents wav = ReadWav(path);
  ASSERT_TRUE(wav.valid) << wav.problem;
  EXPECT_TRUE(wav.data.empty());
}

TEST(WavFile, MissingFolderFailsAndLeavesNothingOpen) {
  rip::WavFile file;
  EXPECT_FALSE(file.Create(simdrive::ScratchPath("no-such-folder\\x.wav")));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(file.Write("abcd", 4));
}

}  // namespace
