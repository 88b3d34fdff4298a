// Benchmark, run by hand (not a test): the start of TalvoRipper.exe until its main window lists
// the ten tracks of the demo disc, with Wine warm (this program keeps the prefix's server
// running), and the main window's "Refresh" of a 99-track disc.
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
  std::vector<double> starts;
  for (int run = 0; run < 5; ++run) {
    RunningProgram program;
    const auto start = Clock::now();
    if (!program.Start() || !program.WaitForMainWindow(60000) || program.Rows() != 10) {
      std::printf("TalvoRipper.exe did not list the demo disc\n");
      return 1;
    }
    starts.push_back(Milliseconds(start));
    program.Close(20000);
  }
  Report("start to the main window listing the demo disc", starts);

  simdrive::ConfigText config;
  config.Drive("0:1:0").Key("disc", "long").Disc("long");
  for (int t = 0; t < 99; ++t) config.Track("audio 0:45");
  simdrive::UseConfig(simdrive::ScratchPath("bench-99.ini"), config.Text());
  app::AppContext context;
  std::unique_ptr<app::TfrmMain> form(ui::Create<app::TfrmMain>(nullptr, context));
  form->Show();
  std::vector<double> refreshes, rows;
  for (int run = 0; run < 5; ++run) {
    auto start = Clock::now();
    form->bRefreshClick(form.get());
    refreshes.push_back(Milliseconds(start));
    start = Clock::now();
    form->ReadTrackLists();
    form->ShowTrackRows();
    rows.push_back(Milliseconds(start));
  }
  Report("\"Refresh\" of a 99-track disc (ripper Refresh included)", refreshes);
  Report("  of which the lists and rows of the 99 tracks", rows);
  form->AudioCDRipper1.get()->DriverClose();
  return 0;
}
