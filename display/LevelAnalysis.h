// The control's per-channel state and what the sample blocks do to it: two sample buffers
// for the scope and column displays, two levels in decibels for the level bars, and the
// no-data flag the column displays look at.
//
//   LevelState s;                      window size 440, stereo, levels -90 dB, buffers zeroed
//   setWindowSize(s, 3000);            FFTWindowsSize put: 4096 floats a channel, reset
//   analyseBlock(s, samples);          SendArray of a block
//   clearLevels(s);                    SendArray of a missing or unusable block
//   lowerHeldLevels(s);                _OnTimer
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace display {

// A buffer entry holding this value has no sample; the scope plots it just below its mid line.
inline constexpr float kNoSample = -220.0f;
// The level of silence and of a cleared display.
inline constexpr float kFloorLevel = -90.0f;

struct LevelState {
    LevelState();

    int32_t windowSize = 440;  // FFTWindowsSize: samples taken from each block
    int32_t channels = 2;      // ArrayChannels: how blocks are split
    std::vector<float> buffer1;
    std::vector<float> buffer2;
    float level1 = kFloorLevel;
    float level2 = kFloorLevel;
    bool noData = true;
};

// FFTWindowsSize put: clamp to 64..16384 and round to a power of 4 on a log scale.
int32_t roundWindowSize(int32_t requested);

// Stores the rounded size, makes new zeroed buffers of that size and resets them from 0.
void setWindowSize(LevelState& state, int32_t requested);

// Marks entries start .. windowSize/2 - 1 of both buffers as empty and sets the no-data flag.
void resetBuffers(LevelState& state, size_t start);

// Clears the display: every buffer entry of the first half empty, both levels at the floor.
void clearLevels(LevelState& state);

// Analyses one block of interleaved 16-bit samples; a block of fewer than two samples clears.
void analyseBlock(LevelState& state, std::span<const int16_t> block);

// Lowers levels above 0 dB by 40 percent; levels at or below 0 dB stay.
void lowerHeldLevels(LevelState& state);

}  // namespace display
