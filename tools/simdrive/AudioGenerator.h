// The deterministic audio of simulated discs: a function of the absolute sample index, so a
// test can compute every sample a drive returns for any frame of a generated track.
#pragma once

#include <cstdint>

namespace simdrive {

constexpr int kSampleRate = 44100;
constexpr int kSamplesPerFrame = 588;  // stereo samples in one 2352-byte frame
constexpr int kFrameBytes = 2352;

// Sample `sampleIndex` (frame LBA * 588 + sample within the frame) of channel 0 (left) or
// 1 (right). The tune repeats every 3200 frames (about 43 s).
std::int16_t GeneratedSample(std::int64_t sampleIndex, int channel);

// `count` whole frames from frame `firstFrame` on, as a drive returns them: 16-bit
// little-endian samples, left then right. Copies from a table of one period of the tune.
void GenerateAudioFrames(std::int64_t firstFrame, std::int32_t count, std::uint8_t* out);

}  // namespace simdrive
