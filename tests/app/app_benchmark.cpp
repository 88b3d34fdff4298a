// Benchmark, run by hand (not a test): the start of TalvoRipper.exe until its main window lists
// the ten tracks of the demo disc and its end after the window is closed, with Wine warm (this
// program keeps the test prefix's server running), and the main window's "Refresh" of a
// 99-track disc and the ripper's Refresh alone through COM. The start as the run command makes
// it (its own prefix and display) is timed by run_command_benchmark.sh.
//   build/x86_64/wine-run build/x86_64/bin/app_benchmark.exe
#include "ConfigText.h"
#include "Main.h"
#include "RipperClient.h"
#include "RunningProgram.h"
#include "TestFiles.h"

#include "com/Apartment.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

void Report(const char* what, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("%-58s best %7.0f ms, median %7.0f ms (%zu runs)\n", what, times.front(), times[times.size() / 2],
              times.size());
}

}  // namespace

int main() {
  com::apartment apartment;
  UseRipperServer();
  SetEnvironmentVariableA("SIMDRIVE_CONFIG", TALVO_DEMO_DISC);  // the run command's demo disc
  std::vector<double> starts, ends;
  for (int run = 0; run < 5; ++run) {
    RunningProgram program;
    auto start = Clock::now();
    if (!program.Start() || !program.WaitForMainWindow(60000) || program.Rows() != 10) {
      std::printf("TalvoRipper.exe did not list the demo disc\n");
      return 1;
    }
    starts.push_back(Milliseconds(start));
    start = Clock::now();
    if (program.Close(20000) != 0) {
      std::printf("TalvoRipper.exe did not end when its window was closed\n");
      return 1;
    }
    ends.push_back(Milliseconds(start));
  }
  Report("start to the main window listing the demo disc", starts);
  Report("main window closed to the program's end", ends);

  simdrive::ConfigText config;
  config.Drive("0:1:0").Key("disc", "long").Disc("long");
  for (int t = 0; t < 99; ++t) config.Track("audio 0:45");
  simdrive::UseConfig(simdrive::ScratchPath("bench-99.ini"), config.Text());
  app::AppContext context;
  std::unique_ptr<app::TfrmMain> form(ui::Create<app::TfrmMain>(nullptr, context));
  form->Show();
  std::vector<double> refreshes, rows, ripperRefreshes;
  for (int run = 0; run < 5; ++run) {
    auto start = Clock::now();
    form->bRefreshClick(form.get());
    refreshes.push_back(Milliseconds(start));
    start = Clock::now();
    form->ReadTrackLists();
    form->ShowTrackRows();
    rows.push_back(Milliseconds(start));
    start = Clock::now();
    form->AudioCDRipper1.get()->Refresh();
    ripperRefreshes.push_back(Milliseconds(start));
  }
  Report("\"Refresh\" of a 99-track disc (ripper Refresh included)", refreshes);
  Report("  of which the lists and rows of the 99 tracks", rows);
  Report("the ripper's Refresh of the 99-track disc through COM", ripperRefreshes);
  form->AudioCDRipper1.get()->DriverClose();
  return 0;
}
