// What the application's windows share: the shared settings, the per-track lists of the current
// disc, and the one window of each kind, created once at start-up and kept until exit (other
// windows reach the main window and the options dialog through it).
#pragma once

#include "SharedState.h"

namespace app {

class TfrmMain;
class TfrmProgress;
class TfrmEdit;
class TfrmOption;
class TfrmPathSelect;
class TfrmAbout;
class TfrmPlayer;
class TfrmAdvert;

struct AppContext {
  SharedSettings Shared;
  TrackLists Tracks;

  TfrmMain* frmMain = nullptr;
  TfrmProgress* frmProgress = nullptr;
  TfrmEdit* frmEdit = nullptr;
  TfrmOption* frmOption = nullptr;
  TfrmPathSelect* frmPathSelect = nullptr;
  TfrmAbout* frmAbout = nullptr;
  TfrmPlayer* frmPlayer = nullptr;
  TfrmAdvert* frmAdvert = nullptr;
};

}  // namespace app
