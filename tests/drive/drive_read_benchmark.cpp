// Measures the drive layer's audio reads from a simulated drive: plain reads, jitter-corrected
// reads with the SYNCH and SECURE frame settings while the drive's reads land off target, and
// the overlap match alone on a 26-frame block. Prints frames per second; checks the audio.
// Run: build/x86_64/wine-run build/x86_64/bin/drive_read_benchmark.exe
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "AudioGenerator.h"
#include "AudioReads.h"
#include "ConfigText.h"
#include "DriveTransport.h"
#include "ReadBufferBlock.h"
#include "SimDriveTest.h"
#include "TestFiles.h"

namespace {

using namespace drive;
using Clock = std::chrono::steady_clock;

constexpr int kBlockFrames = 26;
constexpr int kTrackFrames = 20 * 60 * 75;  // 20 minutes

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

int OpenDrive(const char* jitter, int matchFrames, int readBackFrames) {
  simdrive::ConfigText config;
  config.Drive("0:1:0").Key("disc", "d");
  if (*jitter) config.Key("jitter", jitter);
  config.Disc("d").Track("audio " + std::to_string(kTrackFrames));
  simdrive::UseConfig(simdrive::ScratchPath("bench.ini"), config.Text());
  InitCDLayer(0, 0);
  if (InitCDLayer(1, 0) != 1) return 0;
  GetHostAdapterCount();
  OpenRequest request{12, 1, 0, 1, 0, CDRT_ATAPI2, {}, static_cast<std::uint8_t>(matchFrames),
                      static_cast<std::uint8_t>(readBackFrames)};
  return OpenCDDrive(&request);
}

struct RipResult {
  double seconds = 0;
  int frames = 0;
  int failures = 0;
  bool exact = false;
};

// Reads the whole track block by block as the rip engine does.
RipResult RipOnce(int handle, bool corrected) {
  ReadBufferBlock block(kBlockFrames);
  ReadBufferBlock overlap(kBlockFrames);
  overlap->bytesValid = 0;
  std::vector<std::uint8_t> audio;
  audio.reserve(std::size_t(kTrackFrames) * kFrameBytes);
  const int end = kTrackFrames - kBlockFrames;
  int current = 0;
  int failures = 0;
  const auto started = Clock::now();
  while (current < end) {
    block->startAddress = current;
    block->frameCount = kBlockFrames;
    block->bytesValid = 0;
    block->dataOffset = 0;
    const int read = corrected ? ReadCDAudioLBAJitter(handle, block.get(), overlap.get())
                                 : ReadCDAudioLBA(handle, block.get());
    if (read != kLayerSuccess) {
      ++failures;
      current += kBlockFrames;
      continue;
    }
    const std::uint8_t* valid = block.data() + block->dataOffset;
    audio.insert(audio.end(), valid, valid + block->bytesValid);
    current += block->frameCount;
  }
  RipResult result;
  result.seconds = Seconds(started);
  result.frames = int(audio.size() / kFrameBytes);
  result.failures = failures;
  result.exact = drivetest::FirstWrongFrame(audio.data(), result.frames, 0) < 0;
  return result;
}

// The best of three rips (the machine may be busy with other work), and whether the audio kept
// is the disc's.
void Rip(const char* name, const char* jitter, int matchFrames, int readBackFrames, bool corrected) {
  RipResult best;
  for (int pass = 0; pass < 3; ++pass) {
    const int handle = OpenDrive(jitter, matchFrames, readBackFrames);
    if (!handle) {
      std::printf("%-40s drive did not open\n", name);
      return;
    }
    const RipResult result = RipOnce(handle, corrected);
    CloseCDDrive(handle);
    if (pass == 0 || result.seconds < best.seconds) best = result;
  }
  std::printf("%-40s %9.0f frames/s  (%d frames in %.2f s, %d failed blocks, audio %s)\n", name,
              best.frames / best.seconds, best.frames, best.seconds, best.failures,
              best.exact ? "exact" : "differs");
}

void Match(const char* name, int matchFrames, const std::function<void(std::uint8_t*, std::uint8_t*)>& fill) {
  ReadBufferBlock block(kBlockFrames);
  ReadBufferBlock overlap(matchFrames);
  std::vector<std::uint8_t> read(std::size_t(kBlockFrames) * kFrameBytes);
  fill(read.data(), overlap.data());
  overlap->startAddress = 1000;
  overlap->frameCount = matchFrames;
  overlap->bytesValid = matchFrames * kFrameBytes;
  overlap->dataOffset = 0;
  int iterations = 0;
  int matched = 0;
  const auto started = Clock::now();
  while (Seconds(started) < 1.0) {
    for (int batch = 0; batch < 100; ++batch, ++iterations) {
      std::memcpy(block.data(), read.data(), read.size());
      block->startAddress = 1000 + matchFrames - 3;
      block->frameCount = kBlockFrames;
      block->bytesValid = kBlockFrames * kFrameBytes;
      block->dataOffset = 0;
      matched += MatchOverlap(block.get(), overlap.get(), matchFrames);
    }
  }
  const double seconds = Seconds(started);
  // The copy that restores the block each time is timed too; it is measured alone below.
  std::printf("%-40s %9.0f frames/s  (%.1f us a block, matched %d of %d)\n", name,
              iterations * double(kBlockFrames) / seconds, seconds * 1e6 / iterations, matched, iterations);
}

}  // namespace

int main() {
  std::printf("Drive layer reads from the simulated drive, %d-frame blocks, a %d-frame track\n\n", kBlockFrames,
              kTrackFrames);
  Rip("plain reads", "", 0, 0, false);
  Rip("jitter-corrected, SYNCH (1/3), jitter", "0, 2, -1, 1, -2", 1, 3, true);
  Rip("jitter-corrected, SECURE (3/3), jitter", "0, -1, -2, 0", 3, 3, true);
  InitCDLayer(0, 0);

  std::printf("\nOverlap match alone on one %d-frame block\n\n", kBlockFrames);
  // Audio, the tail found where a read landing one frame early puts it.
  Match("audio, 3-frame tail", 3, [](std::uint8_t* read, std::uint8_t* tail) {
    simdrive::GenerateAudioFrames(997, kBlockFrames, read);
    simdrive::GenerateAudioFrames(998, 3, tail);
  });
  Match("audio, 1-frame tail", 1, [](std::uint8_t* read, std::uint8_t* tail) {
    simdrive::GenerateAudioFrames(997, kBlockFrames, read);
    simdrive::GenerateAudioFrames(999, 1, tail);
  });
  Match("audio, no match", 3, [](std::uint8_t* read, std::uint8_t* tail) {
    simdrive::GenerateAudioFrames(997, kBlockFrames, read);
    simdrive::GenerateAudioFrames(5000, 3, tail);
  });
  // Silence with one click at the tail's end: every place starts like a match.
  Match("near silence, click at the tail's end", 3, [](std::uint8_t* read, std::uint8_t* tail) {
    std::memset(read, 0, std::size_t(kBlockFrames) * kFrameBytes);
    std::memset(tail, 0, 3 * kFrameBytes);
    read[25 * kFrameBytes] = 9;
    tail[3 * kFrameBytes - 1] = 9;
  });
  Match("the block copy alone (a 0-frame tail)", 0, [](std::uint8_t*, std::uint8_t*) {});
  return 0;
}
