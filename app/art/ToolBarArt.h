// The main window's own pictures besides the product artwork: the tool-bar pictures (and the
// player window's, drawn alike), one
// 32 x 32 image per button in the bar's order, side by side in one strip with magenta where
// nothing is drawn; the bright rule under the tool bar; and the status bar's ground.
#pragma once

#include "Picture.h"

namespace appart {

inline constexpr int kToolImageSize = 32;
// Rip Now, Refresh, Get CDDB, Folder, Player, Options, Recorder, Converter, Help, Home, About.
inline constexpr int kToolImageCount = 11;
inline constexpr int kRuleWidth = 653, kRuleHeight = 3;
inline constexpr int kStatusWidth = 653, kStatusHeight = 26;

skinart::Picture ToolBarPictures();
// The player window's: Play, Pause, Stop, Folder, Ripper, Recorder, Converter, Help, Home, About.
skinart::Picture PlayerToolBarPictures();
skinart::Picture ToolBarRule();
skinart::Picture StatusGround();

}  // namespace appart
