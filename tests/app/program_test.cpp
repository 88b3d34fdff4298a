// TalvoRipper.exe itself, started as a user starts it and driven from outside through its
// windows: the main window lists the disc in the simulated drive, "Select all" checks every
// row, and closing the window ends the program.
#include "RipperTest.h"
#include "RunningProgram.h"
#include "TestFiles.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace {

class Program : public RipperTest {
 protected:
  void Start(int tracks) {
    simdrive::ConfigText config = Config();
    config.Drive("0:1:0").Key("disc", "album").Disc("album");
    for (int t = 0; t < tracks; ++t) config.Track("audio 2:00");
    ASSERT_TRUE(simdrive::UseConfig(simdrive::ScratchPath("ripper-drives.ini"), config.Text()));
    ASSERT_TRUE(program_.Start());
    ASSERT_TRUE(program_.WaitForMainWindow(30000)) << "no main window";
  }
  RunningProgram program_;
};

}  // namespace

TEST_F(Program, StartsWithTheComponentsRegisteredListsTheDiscAndEndsWhenClosed) {
  // The system directory holds none of the six libraries: start-up registers nothing, says
  // nothing, and the components registered before serve it.
  Start(7);
  EXPECT_EQ(program_.Rows(), 7);
  EXPECT_FALSE(FindWindowA(nullptr, "Flash"));  // the splash window is gone
  RECT client{};
  GetClientRect(program_.MainWindow(), &client);
  EXPECT_GE(client.right, 653);
  EXPECT_EQ(program_.Close(20000), 0);
}

TEST_F(Program, SelectAllChecksEveryRowOfTheList) {
  Start(5);
  HWND selectAll = RunningProgram::FindChild(program_.MainWindow(), nullptr, "Select all");
  ASSERT_TRUE(selectAll);
  RECT button{};
  GetClientRect(selectAll, &button);
  const LPARAM centre = MAKELPARAM(button.right / 2, button.bottom / 2);
  PostMessageA(selectAll, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  PostMessageA(selectAll, WM_LBUTTONUP, 0, centre);
  int checked = 0;
  for (int round = 0; round < 100 && checked < 5; ++round, Sleep(50)) {
    checked = 0;
    for (int row = 0; row < program_.Rows(); ++row) {
      if (SendMessageA(program_.TrackList(), LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2))
        ++checked;
    }
  }
  EXPECT_EQ(checked, 5);
}
