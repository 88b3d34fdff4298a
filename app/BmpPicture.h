// The program's exact pictures (the tool-bar strip with its magenta key, the main window's
// decoration) are BMP files in its resources as RCDATA, by name: the skin's bitmaps already
// fill the program's BITMAP resource type, and the linker keeps only one object's directory of
// a type.
#pragma once

#include "Bitmap.h"

namespace app {

// The named RCDATA resource of the program, a BMP file of 24 or 32 bits per pixel; false (the
// bitmap left as it was) when it is missing or not such a file.
bool LoadBmpResource(const char* name, ui::TBitmap& bitmap);

}  // namespace app
