// The three 250 x 250 pictures the column displays copy their columns from. Column x of each
// holds the whole colour strip of its style squeezed into rows 0..x, so a column of height h
// is one 1-pixel-wide copy from column h. They are made once, from the strip bitmaps 203
// (fire), 202 (glass) and 201 (kryptonite) of the module, and kept with one memory device
// context for the control's life.
#pragma once

#include "com/Gdi.h"

#include <windows.h>

#include <array>

namespace display {

inline constexpr int kStyleBitmapSize = 250;

enum class ColumnStyle { fire = 0, glass = 1, kryptonite = 2 };

class StyleBitmaps {
public:
    // The module that holds the strip bitmaps.
    explicit StyleBitmaps(HMODULE resources) noexcept : resources_(resources) {}
    StyleBitmaps(const StyleBitmaps&) = delete;
    StyleBitmaps& operator=(const StyleBitmaps&) = delete;
    ~StyleBitmaps();

    // Makes the pictures compatible with reference (the screen when null); false when a strip
    // or a picture could not be made. Does nothing once made.
    bool make(HDC reference);
    bool made() const noexcept { return made_; }

    // The memory device context with the style's picture selected, until the next call.
    HDC select(ColumnStyle style) noexcept;

private:
    HMODULE resources_;
    com::unique_dc dc_;
    std::array<com::gdi_bitmap, 3> pictures_;
    HGDIOBJ original_ = nullptr;
    bool made_ = false;
};

}  // namespace display
