#include "display/DisplaySettings.h"

#include <cmath>

namespace display {

int32_t maxLevelPosition(int16_t decibels) { return static_cast<int32_t>((decibels + 91) * -2.5); }

int16_t maxLevelDecibels(int32_t position) { return static_cast<int16_t>(static_cast<int32_t>(position / -2.5) - 91); }

bool isValidMaxLevel(int16_t decibels) { return decibels >= -90 && decibels <= 0; }

int16_t outLinesBound(int heightPixels) { return static_cast<int16_t>(heightPixels / 60.0 * 14.0); }

int16_t levelPosition(float decibels) {
    const double position = std::trunc(static_cast<double>(decibels) * 2.5);
    if (std::isnan(position)) return -225;
    if (position < INT16_MIN) return INT16_MIN;
    if (position > INT16_MAX) return INT16_MAX;
    return static_cast<int16_t>(position);
}

}  // namespace display
