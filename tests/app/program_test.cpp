// TalvoRipper.exe itself, started as a user starts it and driven from outside through its
// windows: the main window lists the disc in the simulated drive, "Select all" checks every
// row, and closing the window ends the program, also in the middle of a rip.
#include "RipperTest.h"
#include "RunningProgram.h"
#include "TestFiles.h"

#include <commctrl.h>

#include <cstring>
#include <string>

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
  // A click posted to the window, at its centre unless a place is given.
  static void Click(HWND window, int x = -1, int y = -1) {
    ASSERT_TRUE(window);
    RECT client{};
    GetClientRect(window, &client);
    const LPARAM place = MAKELPARAM(x >= 0 ? x : client.right / 2, y >= 0 ? y : client.bottom / 2);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, place);
    PostMessageA(window, WM_LBUTTONUP, 0, place);
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
  Click(RunningProgram::FindChild(program_.MainWindow(), nullptr, "Select all"));
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

TEST_F(Program, ClosedDuringARipStopsItAsCancelDoesAndEnds) {
  // Every track checked, "Rip Now" (the tool bar's first button, 57 x 52), then the main
  // window closed while the progress dialog shows: the rip is stopped, its file ended as a
  // cancelled one is, and the program ends.
  Start(3);
  Click(RunningProgram::FindChild(program_.MainWindow(), nullptr, "Select all"));
  Click(RunningProgram::FindChild(program_.MainWindow(), TOOLBARCLASSNAMEA, nullptr), 28, 26);
  HWND progress = nullptr;
  for (int round = 0; round < 200 && !progress; ++round, Sleep(50)) {
    progress = FindWindowA(nullptr, "Extract CD Progress Output Format: Mp3");
    if (progress && !IsWindowVisible(progress)) progress = nullptr;
  }
  ASSERT_TRUE(progress) << "no rip started";
  EXPECT_EQ(program_.Close(20000), 0);
  // The program's output folder, its own and this program's: no working file of the rip is
  // left in it.
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string folder(self, std::strrchr(self, '\\') + 1);
  WIN32_FIND_DATAA found;
  const HANDLE left = FindFirstFileA((folder + "rip*.tmp*").c_str(), &found);
  EXPECT_EQ(left, INVALID_HANDLE_VALUE) << found.cFileName;
  if (left != INVALID_HANDLE_VALUE) FindClose(left);
  DeleteFileA((folder + "1UnknownTrack 01.mp3").c_str());
}
