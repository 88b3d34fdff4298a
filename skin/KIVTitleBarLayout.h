// Unit KIVTitleBar, its geometry: where the title bar's sections and buttons go, how much of
// the caption fits, and the window region with rounded top corners. Plain functions over plain
// data, so they are checked without a window.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Handles.h"
#include "Win32.h"

namespace kiv {

enum TkivTitleBarAlign { kivLeft = 0, kivRight = 1, kivClient = 2 };
enum TkivTitleBarBtnType { kivMax = 0, kivMin = 1, kivClose = 2, kivHelp = 3, kivControlBox = 4, kivCustom = 5 };

struct TitleSectionSpec {
  TkivTitleBarAlign align;
  int width;
};

// Where a section is drawn: its index in the collection and its rectangle in the bar.
struct TitleSectionPlace {
  int index;
  RECT rect;
};

// Left sections from the left, right ones from the right (a right section that no longer fits
// is left out), and last the client section (the last one given) stretched between them.
std::vector<TitleSectionPlace> LayoutTitleSections(const std::vector<TitleSectionSpec>& sections,
                                                   int barWidth, int barHeight);

struct TitleButtonSpec {
  TkivTitleBarBtnType type;
  int width;   // of its normal picture
  int height;
  int top;
};

struct TitleButtonPlace {
  int index;
  RECT rect;
};

struct TitleButtonLayout {
  std::vector<TitleButtonPlace> right;  // the first of the collection rightmost
  int controlBox = -1;                  // index of the control-box button, -1 for none
  RECT controlBoxRect{0, 0, 0, 0};
  POINT iconAt{0, 0};                   // where the program icon goes in its place
  int captionLeft = 0;                  // where the caption starts
  int captionRight = 0;                 // the left edge of the leftmost right button
};

struct TitleButtonOffsets {
  int left = 0;      // LeftBtnXOffset
  int right = 0;     // RightBtnXOffset
  int interval = 0;  // ButtonInterval
};

TitleButtonLayout PlaceTitleButtons(const std::vector<TitleButtonSpec>& buttons, int barWidth,
                                    const TitleButtonOffsets& offsets, bool drawAppIcon);

// The caption when it fits in the width; else its first two characters and "...".
std::string TitleCaptionText(const std::string& caption, int width,
                             const std::function<int(std::string_view)>& textWidth);

// A window W x H with its top corners rounded by ellipses of the radius and square bottom
// corners; radius 0 gives the whole window.
com::gdi_region MakeFormRegion(int width, int height, int radius);

}  // namespace kiv
