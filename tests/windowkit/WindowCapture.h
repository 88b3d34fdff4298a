// Pictures of windows: the whole window as it is on the screen (frame included), written as a
// PNG file under the build folder for a person to look at, and compared with an expected
// picture within a tolerance (fonts and edges may differ by a few levels between machines).
#pragma once

#include <memory>
#include <string>

#include "Bitmap.h"
#include "WinControl.h"

namespace testkit {

// The whole window, frame and children included, after any painting it had waiting.
std::unique_ptr<ui::TBitmap> CaptureWindow(ui::TWinControl& control);
// Writes <build folder>/captures/<name>.png and returns the file's path.
std::string SavePicture(const ui::TBitmap& picture, const std::string& name);
// CaptureWindow, then SavePicture.
std::unique_ptr<ui::TBitmap> CaptureAndSave(ui::TWinControl& control, const std::string& name);

struct PictureDifference {
  bool sameSize = false;
  int differing = 0;  // pixels with a channel further off than the tolerance
  int worst = 0;      // the largest channel difference seen
};
// Compares two pictures pixel by pixel; channels within tolerance count as equal.
PictureDifference ComparePictures(const ui::TBitmap& actual, const ui::TBitmap& expected, int tolerance);
// True when both have one size and at most allowedPixels differ by more than tolerance.
bool PicturesMatch(const ui::TBitmap& actual, const ui::TBitmap& expected, int tolerance = 8,
                   int allowedPixels = 0);
// True when the colours' channels differ by at most tolerance each.
bool ColorNear(ui::TColor actual, ui::TColor expected, int tolerance = 8);

}  // namespace testkit
