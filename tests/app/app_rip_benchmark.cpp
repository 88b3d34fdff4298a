// Rip benchmark of the application (run by hand, not a test): the demo disc's ten tracks ripped
// to MP3 at the ripper's top speed (64x), first by the rip engine alone (one rip after another
// through the main window's ripper object, each started from the last one's end), then through
// the windows: "Rip Now" with every track checked, the progress dialog, names and tags. The
// windows and the tagging should add under 5% to the engine's time.
#include "AppWindowsTest.h"

#include <cstdio>
#include <numeric>

#include "com/Bstr.h"

#include "WindowTestKit.h"

namespace {

// The demo disc of tools/simdrive/demo.ini, in frames.
const std::vector<int> kDemoFrames = {14420, 18375, 12570, 24835, 17850, 19560, 10130, 27180, 15975, 21370};

double WallSeconds() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

class RipBenchmark : public AppWindowsTest {};

}  // namespace

TEST_F(RipBenchmark, DemoDiscToMp3ByTheEngineAloneAndThroughTheWindows) {
  std::vector<std::string> tracks;
  for (int frames : kDemoFrames) tracks.push_back("audio " + std::to_string(frames));
  Open(tracks);
  IAudioCDRipper* ripper = main_->AudioCDRipper1.get();
  ASSERT_EQ(ripper->put_driveSpeed(64), S_OK);
  const double paced = std::accumulate(kDemoFrames.begin(), kDemoFrames.end(), 0.0) / 75.0 / 64.0;

  // The engine alone: the next rip starts from the end of the one before, as the loop does.
  int ended = 0;
  main_->AudioCDRipper1.OnRipProgress = [&](long percent) { ended += percent == 100; };
  const double engineStart = WallSeconds();
  for (int t = 1; t <= static_cast<int>(kDemoFrames.size()); ++t) {
    ASSERT_EQ(ripper->put_trackNum(t), S_OK);
    const std::string name = ScratchFolder() + "engine-" + std::to_string(t);
    ASSERT_EQ(ripper->RipTrackToMP3(com::bstr::from_ansi(name).get()), S_OK);
    ASSERT_TRUE(testkit::WaitUntil([&] { return ended == t; }, 600000));
  }
  const double engine = WallSeconds() - engineStart;
  main_->AudioCDRipper1.OnRipProgress = [this](long percent) { main_->AudioCDRipper1RipProgress(percent); };

  std::vector<int> rows(kDemoFrames.size());
  std::iota(rows.begin(), rows.end(), 0);
  CheckRows(rows);
  const double windowsStart = WallSeconds();
  EXPECT_EQ(RipChecked(1), "Extract Finished!");
  const double windows = WallSeconds() - windowsStart;
  EXPECT_EQ(progress_->RippedPaths().size(), kDemoFrames.size());

  std::printf("demo disc, %d tracks, %.1f minutes of audio, to MP3 at 64x\n", static_cast<int>(kDemoFrames.size()), paced * 64 / 60);
  std::printf("  paced time        %7.2f s\n", paced);
  std::printf("  rip engine alone  %7.2f s\n", engine);
  std::printf("  through windows   %7.2f s  (%+.1f%% against the engine)\n", windows, (windows / engine - 1) * 100);
}
