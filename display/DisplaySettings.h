// The control's look: the properties that only the drawing reads, with their construction
// values, and the rules that turn property values into what is stored.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <cstdint>

namespace display {

struct DisplaySettings {
    int32_t typeDisplay = 0;  // tdOutLine
    int32_t borderStyle = 0;  // bNone
    OLE_COLOR backColor = 0x000000;
    OLE_COLOR borderColor = 0xFFFFFF;
    OLE_COLOR inscriptionsColor = 0xFFFFFF;
    OLE_COLOR scaleColor = 0x808080;
    OLE_COLOR maxLevelColor = 0x0000FF;
    OLE_COLOR levelsColor = 0x00C000;
    int32_t maxLevelPosition = -202;  // MaxLevel in level-bar units
    int16_t outLinesBound = 14;       // OutLinesHeight stays below this
    int16_t outLinesHeight = 6;
};

// MaxLevel in decibels (-90..0) to level-bar units and back; the way back loses up to one
// decibel (-90 reads -91), since the units are the truncated product with -2.5.
int32_t maxLevelPosition(int16_t decibels);
int16_t maxLevelDecibels(int32_t position);
bool isValidMaxLevel(int16_t decibels);

// The largest level-bar height (exclusive) a control of this many pixels high allows.
int16_t outLinesBound(int heightPixels);

// A level in decibels as a level-bar position, kept to 16 bits; a level that is not a number
// (nothing ever stored one, but the drawing must not trust that) sits at the floor.
int16_t levelPosition(float decibels);

}  // namespace display
