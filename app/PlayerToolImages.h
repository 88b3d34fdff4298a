// The player's tool-bar pictures, 32 x 32, drawn when the window is made: play, pause, stop,
// folder, ripper (a disc), recorder, converter, help, home and about, in the buttons' order.
#pragma once

#include "ImageList.h"

namespace app {

void AddPlayerToolImages(ui::TCustomImageList& images);

}  // namespace app
