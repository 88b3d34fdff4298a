// The control's properties as its host stores them: after the 12-byte header the control
// base writes (version, extent), each of the 15 properties as a 16-bit variant type and its
// value, little-endian, in this order. 86 bytes; 98 with the header.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace display {

struct StoredProperties {
    int32_t borderStyle;
    int32_t typeDisplay;
    OLE_COLOR backColor;
    OLE_COLOR borderColor;
    OLE_COLOR inscriptionsColor;
    OLE_COLOR scaleColor;
    OLE_COLOR levelsColor;
    OLE_COLOR maxLevelColor;
    int32_t fftWindowsSize;
    int16_t maxLevel;
    int16_t outLinesHeight;
    int32_t arrayChannels;
    int32_t arrayFreqyency;
    int32_t attackTime;
    int32_t releaseTime;
};

inline constexpr size_t kStoredPropertiesSize = 86;
using PropertyBytes = std::array<uint8_t, kStoredPropertiesSize>;

PropertyBytes encodeProperties(const StoredProperties& properties);

// Nothing when a variant type is not the one this control writes at that place.
std::optional<StoredProperties> decodeProperties(std::span<const uint8_t, kStoredPropertiesSize> bytes);

}  // namespace display
