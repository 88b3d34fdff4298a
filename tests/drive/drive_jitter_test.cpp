// Jitter correction against simulated drives whose reads land frames off target: the reads go
// back by the read-back frames, line up on the tail of the previous read and give the disc's
// true audio; silence and overlaps that do not join are read as asked.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "AudioReads.h"
#include "DriveTransport.h"
#include "ReadBufferBlock.h"
#include "SimDriveTest.h"

namespace {

using namespace drive;
using drivetest::FirstWrongFrame;
using drivetest::SimDriveTest;

constexpr int kBlockFrames = 26;

class JitterTest : public SimDriveTest {
 protected:
  // Drive 0:1:0 with generated audio on LBAs 0-4999 and silence on 5000-6999, opened for
  // READ CD with the jitter frames.
  int OpenDrive(const std::string& jitter, int matchFrames, int readBackFrames) {
    auto config = Config();
    config.Drive("0:1:0").Key("disc", "d");
    if (!jitter.empty()) config.Key("jitter", jitter);
    config.Disc("d").Track("audio 5000").Track("audio 2000 silence");
    Start(config);
    const int handle = Open(0, 1, 0, CDRT_ATAPI2, matchFrames, readBackFrames);
    EXPECT_NE(handle, 0);
    Mark();
    return handle;
  }

  // The frames from `start` on, read block by block as the rip engine reads them: each block
  // asks for the frame after the last one kept, and keeps what the correction gives.
  std::vector<std::uint8_t> Rip(int handle, int start, int frames) {
    ReadBufferBlock block(kBlockFrames);
    ReadBufferBlock overlap(kBlockFrames);
    overlap->bytesValid = 0;
    std::vector<std::uint8_t> audio;
    int current = start;
    while (current < start + frames) {
      block->startAddress = current;
      block->frameCount = kBlockFrames;
      block->bytesValid = 0;
      block->dataOffset = 0;
      const int result = ReadCDAudioLBAJitter(handle, block.get(), overlap.get());
      EXPECT_EQ(result, kLayerSuccess) << "at frame " << current;
      if (result != kLayerSuccess) break;
      const std::uint8_t* valid = block.data() + block->dataOffset;
      audio.insert(audio.end(), valid, valid + block->bytesValid);
      current += block->frameCount;
    }
    return audio;
  }

  // A read of a whole block at `start` with the overlap; the block keeps its room for 26 frames.
  int ReadBlock(int handle, int start) {
    block_->startAddress = start;
    block_->frameCount = kBlockFrames;
    return ReadCDAudioLBAJitter(handle, block_.get(), overlap_->get());
  }
  // The first read of a rip, with an empty overlap of `overlapFrames` frames.
  void ReadFirst(int handle, int start, int overlapFrames) {
    overlap_ = std::make_unique<ReadBufferBlock>(overlapFrames);
    (*overlap_)->bytesValid = 0;
    ASSERT_EQ(ReadBlock(handle, start), kLayerSuccess);
  }

  ReadBufferBlock block_{kBlockFrames};
  std::unique_ptr<ReadBufferBlock> overlap_;

  // The LBA each READ CD asked for.
  std::vector<int> ReadAddresses() {
    std::vector<int> addresses;
    for (const std::string& cdb : Cdbs()) addresses.push_back(std::stoi(cdb.substr(9, 2) + cdb.substr(12, 2) + cdb.substr(15, 2), nullptr, 16));
    return addresses;
  }
};

TEST_F(JitterTest, CorrectedReadsGiveTheTrueAudio) {
  const int handle = OpenDrive("0, 2, -1, 1, -2, 0, 2", 1, 3);
  const std::vector<std::uint8_t> audio = Rip(handle, 300, 400);
  ASSERT_GE(audio.size(), 400u * kFrameBytes);
  EXPECT_EQ(FirstWrongFrame(audio.data(), int(audio.size() / kFrameBytes), 300), -1);
  const std::vector<int> asked = ReadAddresses();
  ASSERT_GE(asked.size(), 2u);
  EXPECT_EQ(asked[0], 300);
  // The first block kept 26 frames; the second asks 3 frames before the next one.
  EXPECT_EQ(asked[1], 300 + kBlockFrames - 3);
}

TEST_F(JitterTest, UncorrectedReadsOfTheSameDriveAreWrong) {
  const int handle = OpenDrive("0, 2, -1", 0, 0);
  ReadBufferBlock block(kBlockFrames, 300);
  ASSERT_EQ(ReadCDAudioLBA(handle, block.get()), kLayerSuccess);
  block->startAddress = 326;
  ASSERT_EQ(ReadCDAudioLBA(handle, block.get()), kLayerSuccess);
  EXPECT_EQ(FirstWrongFrame(block.data(), kBlockFrames, 326), 0);
}

TEST_F(JitterTest, FirstReadLeavesItsTailInTheOverlap) {
  const int handle = OpenDrive("", 3, 3);
  ReadFirst(handle, 1000, 3);
  ReadBufferBlock& overlap = *overlap_;
  EXPECT_EQ(overlap->startAddress, 1023);
  EXPECT_EQ(overlap->frameCount, 3);
  EXPECT_EQ(overlap->bytesValid, 3 * kFrameBytes);
  EXPECT_EQ(overlap->dataOffset, 0);
  EXPECT_EQ(FirstWrongFrame(overlap.data(), 3, 1023), -1);
}

TEST_F(JitterTest, ReadLandingBeyondTheTailFindsNoMatch) {
  // Three frames read back and three matched: a read landing late has lost the tail's start.
  const int handle = OpenDrive("0, 1", 3, 3);
  ReadFirst(handle, 1000, 3);
  EXPECT_EQ(ReadBlock(handle, 1026), kLayerFailure);
  EXPECT_EQ(GetCDLayerLastError(), kErrNoOverlapMatch);
  EXPECT_EQ(block_->startAddress, 1023);  // moved back, and left so
}

TEST_F(JitterTest, ReadLandingEarlyIsLinedUp) {
  const int handle = OpenDrive("0, -2", 3, 3);
  ReadFirst(handle, 1000, 3);
  ASSERT_EQ(ReadBlock(handle, 1026), kLayerSuccess);
  EXPECT_EQ(block_->startAddress, 1026);
  EXPECT_EQ(block_->frameCount, kBlockFrames - 3 - 2);
  EXPECT_EQ(FirstWrongFrame(block_.data() + block_->dataOffset, block_->frameCount, 1026), -1);
}

TEST_F(JitterTest, SilentTailTakesTheReadAsAsked) {
  const int handle = OpenDrive("", 1, 3);
  ReadFirst(handle, 5100, 1);
  ASSERT_EQ(ReadBlock(handle, 5126), kLayerSuccess);
  EXPECT_EQ(block_->startAddress, 5126);
  EXPECT_EQ(block_->frameCount, kBlockFrames);
  EXPECT_EQ(block_->dataOffset, 0);
  EXPECT_EQ(ReadAddresses(), (std::vector<int>{5100, 5126}));
}

TEST_F(JitterTest, TailThatDoesNotJoinIsDropped) {
  const int handle = OpenDrive("", 1, 3);
  ReadFirst(handle, 1000, 1);
  ASSERT_EQ(ReadBlock(handle, 2000), kLayerSuccess);  // not the frame after the tail
  EXPECT_EQ(block_->startAddress, 2000);
  EXPECT_EQ(block_->dataOffset, 0);
  EXPECT_EQ(FirstWrongFrame(block_.data(), kBlockFrames, 2000), -1);
  EXPECT_EQ((*overlap_)->startAddress, 2025);
  EXPECT_EQ(ReadAddresses(), (std::vector<int>{1000, 2000}));
}

TEST_F(JitterTest, OverlapTooSmallForTheTailReadsWithoutCorrection) {
  const int handle = OpenDrive("", 3, 3);
  ReadBufferBlock block(kBlockFrames, 1000);
  ReadBufferBlock small(2);
  small->startAddress = 997;
  small->frameCount = 2;
  small->bytesValid = 2 * kFrameBytes;
  std::memset(small.data(), 1, 2 * kFrameBytes);
  ASSERT_EQ(ReadCDAudioLBAJitter(handle, block.get(), small.get()), kLayerSuccess);
  EXPECT_EQ(small->startAddress, 0);
  EXPECT_EQ(small->frameCount, 0);
  EXPECT_EQ(small->bytesValid, 0);
  EXPECT_EQ(ReadAddresses(), std::vector<int>{1000});
}

TEST_F(JitterTest, ReadShorterThanTheTailLeavesNoTail) {
  const int handle = OpenDrive("", 3, 3);
  ReadBufferBlock block(2, 1000);
  ReadBufferBlock overlap(3);
  overlap->bytesValid = 0;
  ASSERT_EQ(ReadCDAudioLBAJitter(handle, block.get(), overlap.get()), kLayerSuccess);
  EXPECT_EQ(overlap->bytesValid, 0);
  EXPECT_EQ(overlap->frameCount, 0);
}

TEST_F(JitterTest, JitterFramesComeFromTheDriveOptions) {
  const int handle = OpenDrive("", 0, 0);
  ASSERT_EQ(SetDriveOption(handle, '&', 1), 1);
  ASSERT_EQ(SetDriveOption(handle, '%', 5), 1);
  ReadFirst(handle, 1000, 1);
  ASSERT_EQ(ReadBlock(handle, 1026), kLayerSuccess);
  EXPECT_EQ(ReadAddresses(), (std::vector<int>{1000, 1021}));
  EXPECT_EQ(block_->startAddress, 1026);
  EXPECT_EQ(block_->frameCount, kBlockFrames - 5);
}

TEST_F(JitterTest, BadHandle) {
  ReadBufferBlock block(kBlockFrames);
  ReadBufferBlock overlap(1);
  EXPECT_EQ(ReadCDAudioLBAJitter(0, block.get(), overlap.get()), kLayerFailure);
  EXPECT_EQ(GetCDLayerLastError(), kErrBadHandle);
}

}  // namespace
