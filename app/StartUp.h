// Program main of TalvoRipper: the splash window while the application's windows are created in
// their fixed order, then the message loop until the main window closes.
#pragma once

namespace ui {
class TApplication;
}

namespace app {

struct AppContext;

// The splash window shown while the application's windows are made in their fixed order (the
// first, the main window, becomes the main form), then gone.
void CreateApplicationWindows(ui::TApplication& application, AppContext& context);
// The program: the windows, then the message loop until the main window closes; the windows
// are freed before the program's COM apartment ends.
int RunTalvoRipper();

}  // namespace app
