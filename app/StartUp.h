// Program main of TalvoRipper: the splash window while the application's windows are created in
// their fixed order, then the message loop until the main window closes.
#pragma once

namespace app {

int RunTalvoRipper();

}  // namespace app
