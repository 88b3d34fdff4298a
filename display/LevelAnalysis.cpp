#include "display/LevelAnalysis.h"

#include <algorithm>
#include <cmath>

namespace display {

namespace {

constexpr int32_t kSmallestWindow = 64;
constexpr int32_t kLargestWindow = 16384;

// 20 log10 of the block's mean magnitude against full scale; each sample weighs |x| + 1, so a
// silent stereo channel lands near -90.3 dB rather than at minus infinity.
float blockLevel(float sum, size_t count) {
    return static_cast<float>(20.0 * std::log10(2.0 * sum / (static_cast<double>(count) * 32767.0)));
}

// Rises at once, falls half way per block, so the bars drop smoothly between blocks.
void smooth(float& level, float fresh) {
    if (level < fresh) {
        level = fresh;
    } else {
        level = level - (level - fresh) / 2.0f;
    }
}

void lowerAboveZero(float& level) {
    if (level > 0.0f) level = level - level * 0.4f;
}

}  // namespace

LevelState::LevelState()
    : buffer1(static_cast<size_t>(windowSize), 0.0f), buffer2(static_cast<size_t>(windowSize), 0.0f) {}

int32_t roundWindowSize(int32_t requested) {
    // 4 to the power of the rounded base-4 logarithm: the steps lie at twice each power of 4.
    // Compared in integers, so the boundaries (128, 512, 2048, 8192) are exact.
    int32_t size = kSmallestWindow;
    while (size < kLargestWindow && requested >= 2 * size) size *= 4;
    return size;
}

void setWindowSize(LevelState& state, int32_t requested) {
    state.windowSize = roundWindowSize(requested);
    state.buffer1.assign(static_cast<size_t>(state.windowSize), 0.0f);
    state.buffer2.assign(static_cast<size_t>(state.windowSize), 0.0f);
    resetBuffers(state, 0);
}

void resetBuffers(LevelState& state, size_t start) {
    const size_t half = static_cast<size_t>(state.windowSize) / 2;
    for (size_t i = start; i < half; ++i) {
        state.buffer1[i] = kNoSample;
        state.buffer2[i] = kNoSample;
    }
    state.noData = true;
}

void clearLevels(LevelState& state) {
    resetBuffers(state, 0);
    state.level1 = kFloorLevel;
    state.level2 = kFloorLevel;
}

void analyseBlock(LevelState& state, std::span<const int16_t> block) {
    const size_t count = block.size();
    if (count <= 1) {
        clearLevels(state);
        return;
    }
    resetBuffers(state, count / 2);
    const size_t used = std::min(count, static_cast<size_t>(state.windowSize));
    float sum1 = 0.0f;
    float sum2 = 0.0f;
    for (size_t j = 0; j + 1 < used; j += 2) {
        const float a = block[j];
        const float b = block[j + 1];
        const size_t i = j / 2;
        if (state.channels == 2) {
            sum1 += std::fabs(a) + 1.0f;
            sum2 += std::fabs(b) + 1.0f;
            state.buffer1[i] = a;
            state.buffer2[i] = b;
        } else if (state.channels == 1) {
            sum1 += std::fabs(a) + 1.0f;
            sum1 += std::fabs(b) + 1.0f;
            state.buffer1[j] = state.buffer2[j] = a;
            state.buffer1[j + 1] = state.buffer2[j + 1] = b;
        } else {
            sum1 += std::fabs(a) + 1.0f;
            sum1 += std::fabs(b) + 1.0f;
            state.buffer1[i] = a;
            state.buffer2[i] = b;
        }
    }
    smooth(state.level1, blockLevel(sum1, count));
    if (state.channels == 2) {
        smooth(state.level2, blockLevel(sum2, count));
    } else {
        // Every sample went to channel 1, so channel 2 has no sum of its own (its logarithm
        // would be minus infinity): it shows channel 1's level, as for mono.
        state.level2 = state.level1;
    }
    state.noData = false;
}

void lowerHeldLevels(LevelState& state) {
    lowerAboveZero(state.level2);
    lowerAboveZero(state.level1);
}

}  // namespace display
