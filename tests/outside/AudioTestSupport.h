// Known PCM for the outside-component tests, a measure of how alike two signals are, and a
// scratch folder that disappears with the test program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace outside_test {

constexpr int kCdRate = 44100;

// Interleaved stereo: a tone of leftHz on the left and rightHz on the right, amplitude 0.3.
std::vector<int16_t> stereoTones(int frames, double leftHz = 440, double rightHz = 660, int rate = kCdRate);

// Signal-to-noise ratio (dB) of channel `channel` of `decoded` against channel `channel` of
// `reference`, at the best delay (0 to maxDelay frames of `decoded` behind `reference`) and
// the best gain; compares the frames both have.
double snrDb(const std::vector<int16_t>& reference, int referenceChannels, const std::vector<int16_t>& decoded,
             int decodedChannels, int channel, int maxDelay = 0);

// A folder of its own below the temporary folder, removed with everything in it at exit.
const std::wstring& scratchFolder();
std::wstring scratchPath(const std::wstring& name);

// Processor time of this thread (user and kernel), in seconds: what a benchmark's work costs,
// whatever else the machine is doing.
double threadSeconds();

void writeBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> readBytes(const std::wstring& path);

}  // namespace outside_test
