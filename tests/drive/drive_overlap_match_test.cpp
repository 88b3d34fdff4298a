// Overlap matching of jitter correction on buffers in memory: where the previous read's tail
// is found, how the new data is moved behind it, and that the search finds exactly the first
// place a plain byte-by-byte comparison finds, on audio, on repeating and on adversarial data.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "AudioReads.h"
#include "ReadBufferBlock.h"

namespace {

using drive::kFrameBytes;
using drive::MatchOverlap;

constexpr int kBlockFrames = 26;

// The first offset from 0 to bytesValid - patternLength - 1 where the pattern lies; -1 if none.
long PlainSearch(const std::uint8_t* data, long bytesValid, const std::uint8_t* pattern, long patternLength) {
  for (long offset = 0; offset <= bytesValid - patternLength - 1; ++offset)
    if (std::memcmp(data + offset, pattern, std::size_t(patternLength)) == 0) return offset;
  return -1;
}

void FillNoise(std::uint8_t* bytes, std::size_t length, unsigned seed) {
  std::mt19937 random(seed);
  for (std::size_t index = 0; index < length; ++index) bytes[index] = std::uint8_t(random());
}

// An overlap holding `frames` frames copied from `source` at byte offset `from`.
ReadBufferBlock TailOf(const std::uint8_t* source, long from, int frames, int startAddress) {
  ReadBufferBlock overlap(frames, startAddress);
  std::memcpy(overlap.data(), source + from, std::size_t(frames) * kFrameBytes);
  overlap->bytesValid = frames * kFrameBytes;
  overlap->dataOffset = 0;
  return overlap;
}

ReadBufferBlock ReadOf(int frames, int startAddress) {
  ReadBufferBlock buffer(frames, startAddress);
  buffer->bytesValid = frames * kFrameBytes;
  buffer->dataOffset = 0;
  buffer->readStatus = 1;
  return buffer;
}

TEST(OverlapMatch, TailFoundAtAFrameMovesTheDataBehindIt) {
  ReadBufferBlock read = ReadOf(kBlockFrames, 997);
  FillNoise(read.data(), kBlockFrames * kFrameBytes, 1);
  ReadBufferBlock overlap = TailOf(read.data(), 2 * kFrameBytes, 3, 999);
  ASSERT_EQ(MatchOverlap(read.get(), overlap.get(), 3), 1);
  EXPECT_EQ(read->dataOffset, 5 * kFrameBytes);
  EXPECT_EQ(read->bytesValid, 21 * kFrameBytes);
  EXPECT_EQ(read->frameCount, 21);
  EXPECT_EQ(read->startAddress, 1002);
}

TEST(OverlapMatch, TailFoundBetweenFramesCutsTheDataToWholeFrames) {
  ReadBufferBlock read = ReadOf(kBlockFrames, 10);
  FillNoise(read.data(), kBlockFrames * kFrameBytes, 2);
  ReadBufferBlock overlap = TailOf(read.data(), 1000, 1, 11);
  ASSERT_EQ(MatchOverlap(read.get(), overlap.get(), 1), 1);
  EXPECT_EQ(read->dataOffset, 1000 + kFrameBytes);
  EXPECT_EQ(read->frameCount, (kBlockFrames * kFrameBytes - 1000 - kFrameBytes) / kFrameBytes);
  EXPECT_EQ(read->bytesValid, read->frameCount * kFrameBytes);
  EXPECT_EQ(read->startAddress, 12);
}

TEST(OverlapMatch, TailEndingExactlyAtTheEndOfTheDataIsNotAMatch) {
  ReadBufferBlock read = ReadOf(6, 100);
  FillNoise(read.data(), 6 * kFrameBytes, 3);
  ReadBufferBlock atEnd = TailOf(read.data(), 3 * kFrameBytes, 3, 103);
  EXPECT_EQ(MatchOverlap(read.get(), atEnd.get(), 3), 0);
  EXPECT_EQ(read->dataOffset, 0);
  EXPECT_EQ(read->startAddress, 100);
  EXPECT_EQ(read->frameCount, 6);

  ReadBufferBlock again = ReadOf(6, 100);
  std::memcpy(again.data(), read.data(), 6 * kFrameBytes);
  ReadBufferBlock lastPlace = TailOf(again.data(), 3 * kFrameBytes - 1, 3, 103);
  ASSERT_EQ(MatchOverlap(again.get(), lastPlace.get(), 3), 1);
  EXPECT_EQ(again->dataOffset, 6 * kFrameBytes - 1);
  EXPECT_EQ(again->frameCount, 0);
  EXPECT_EQ(again->bytesValid, 0);
}

TEST(OverlapMatch, NoMatchStillCutsTheDataToWholeFrames) {
  ReadBufferBlock read = ReadOf(kBlockFrames, 50);
  FillNoise(read.data(), kBlockFrames * kFrameBytes, 4);
  read->bytesValid = 10 * kFrameBytes + 17;
  ReadBufferBlock overlap(3, 47);
  FillNoise(overlap.data(), 3 * kFrameBytes, 5);
  overlap->bytesValid = 3 * kFrameBytes;
  EXPECT_EQ(MatchOverlap(read.get(), overlap.get(), 3), 0);
  EXPECT_EQ(read->frameCount, 10);
  EXPECT_EQ(read->bytesValid, 10 * kFrameBytes);
  EXPECT_EQ(read->startAddress, 50);
}

TEST(OverlapMatch, SilentOrEmptyOverlapLeavesTheReadAsItIs) {
  ReadBufferBlock read = ReadOf(kBlockFrames, 70);
  FillNoise(read.data(), kBlockFrames * kFrameBytes, 6);
  ReadBufferBlock silence(3, 67);
  std::memset(silence.data(), 0, 3 * kFrameBytes);
  silence->bytesValid = 3 * kFrameBytes;
  EXPECT_EQ(MatchOverlap(read.get(), silence.get(), 3), 1);
  ReadBufferBlock empty(3, 67);
  FillNoise(empty.data(), 3 * kFrameBytes, 7);
  empty->bytesValid = 0;
  EXPECT_EQ(MatchOverlap(read.get(), empty.get(), 3), 1);
  EXPECT_EQ(read->dataOffset, 0);
  EXPECT_EQ(read->frameCount, kBlockFrames);
  EXPECT_EQ(read->startAddress, 70);
}

// Runs MatchOverlap and checks its offset against the plain search.
void ExpectFirstPlace(ReadBufferBlock& read, ReadBufferBlock& overlap, int frames) {
  const long expected = PlainSearch(read.data(), read->bytesValid, overlap.data(), long(frames) * kFrameBytes);
  const int matched = MatchOverlap(read.get(), overlap.get(), frames);
  EXPECT_EQ(matched, expected >= 0 ? 1 : 0);
  if (expected >= 0) {
    EXPECT_EQ(read->dataOffset, expected + long(frames) * kFrameBytes);
  }
}

TEST(OverlapSearch, RepeatingAudioGivesTheFirstRepeat) {
  ReadBufferBlock read = ReadOf(kBlockFrames, 0);
  // A tone whose period divides the frame: the tail occurs at many places.
  for (int index = 0; index < kBlockFrames * kFrameBytes; ++index) read.data()[index] = std::uint8_t((index % 588) * 7);
  ReadBufferBlock overlap = TailOf(read.data(), 20 * kFrameBytes, 3, 0);
  ExpectFirstPlace(read, overlap, 3);
  EXPECT_EQ(read->dataOffset, 3 * kFrameBytes);
}

TEST(OverlapSearch, NearSilenceWithAClickAtTheEnd) {
  // The tail is silence but for its last sample; the data is silence with that click late in
  // it: every place starts like a match and fails only at the end.
  ReadBufferBlock read = ReadOf(kBlockFrames, 0);
  std::memset(read.data(), 0, kBlockFrames * kFrameBytes);
  read.data()[22 * kFrameBytes - 1] = 9;
  ReadBufferBlock overlap(3, 0);
  std::memset(overlap.data(), 0, 3 * kFrameBytes);
  overlap.data()[3 * kFrameBytes - 1] = 9;
  overlap->bytesValid = 3 * kFrameBytes;
  ExpectFirstPlace(read, overlap, 3);
  EXPECT_EQ(read->dataOffset, 22 * kFrameBytes);
}

TEST(OverlapSearch, PartialMatchesOverlappingTheRealOne) {
  // "aab" patterns: a prefix of the tail repeats just before where the tail lies.
  ReadBufferBlock read = ReadOf(kBlockFrames, 0);
  std::memset(read.data(), 1, kBlockFrames * kFrameBytes);
  ReadBufferBlock overlap(1, 0);
  std::memset(overlap.data(), 1, kFrameBytes);
  overlap.data()[kFrameBytes - 1] = 2;
  overlap->bytesValid = kFrameBytes;
  read.data()[5 * kFrameBytes + 300] = 2;
  ExpectFirstPlace(read, overlap, 1);
}

TEST(OverlapSearch, AgreesWithThePlainSearchOnRandomCases) {
  std::mt19937 random(11);
  for (int round = 0; round < 200; ++round) {
    const int frames = 1 + int(random() % 3);
    ReadBufferBlock read = ReadOf(kBlockFrames, 0);
    // Few byte values make false starts common.
    const unsigned values = 2 + random() % 3;
    for (int index = 0; index < kBlockFrames * kFrameBytes; ++index) read.data()[index] = std::uint8_t(random() % values);
    ReadBufferBlock overlap(frames, 0);
    const long from = long(random() % (kBlockFrames * kFrameBytes - frames * kFrameBytes));
    std::memcpy(overlap.data(), read.data() + from, std::size_t(frames) * kFrameBytes);
    if (round % 3 == 0) overlap.data()[random() % (frames * kFrameBytes)] ^= 0x40;
    overlap->bytesValid = frames * kFrameBytes;
    ExpectFirstPlace(read, overlap, frames);
  }
}

}  // namespace
