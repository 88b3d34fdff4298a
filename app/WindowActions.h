// The small actions the main window's and the player window's tool bars share: the output
// folder, the help file, the home page, the about box and the advert window. A unit of its
// own, because the two windows' units include type library headers that clash in one unit.
#pragma once

#include "AppContext.h"

namespace app {

void OpenOutputFolder(const AppContext& context);
void OpenHelp(const AppContext& context);
void OpenHomePage();
void ShowAbout(const AppContext& context);
// The advert window in its mode: 1 the recorder, 2 the converter.
void ShowAdvert(const AppContext& context, int mode);

}  // namespace app
