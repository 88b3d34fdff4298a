// Checks of ripped audio: the simulated drives' generated audio of a frame range, a strict
// reader of WAV files, and a drive whose jitter only jitter correction can undo.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace riptest {

std::vector<std::uint8_t> GeneratedAudio(std::uint32_t lba, std::uint32_t frames);

struct WavContents {
  bool valid = false;
  std::string problem;  // why it is not valid
  std::uint16_t formatTag = 0, channels = 0, blockAlign = 0, bitsPerSample = 0;
  std::uint32_t samplesPerSecond = 0, bytesPerSecond = 0, formatSize = 0;
  std::vector<std::uint8_t> data;
};

// Parses the file as RIFF WAVE: the RIFF size must match the file, the chunks must lie
// within it, "fmt " must come before "data".
WavContents ReadWav(const std::string& path);

// What keeps the file's format from being the CD audio of a rip (PCM, 2 channels, 44100
// samples a second, 16 bits, in an 18-byte format chunk); empty when nothing does.
std::string CDAudioFormatProblem(const WavContents& wav);

// A drive's "jitter" line for a rip of a track of at least 150 frames: the rip's reads 1-18
// are the plain ones near the track's start and read 19 the first corrected one, which has no
// previous read to line up with; the `offsets` go to the reads after it, and must lie within
// what the preset's overlap can absorb.
std::string JitterOnCorrectedReads(const std::string& offsets);

}  // namespace riptest
