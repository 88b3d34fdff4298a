// Benchmark, run by hand (not a test): the player window listing a folder, from the folder's
// choice in the tree to its last row, five times, each after an empty folder. Made and run by
// tests/outside/tag_listing_benchmark.sh (under a display), with 100 five-minute files of mixed
// kinds:
//   wine-run app_player_listing_benchmark.exe FOLDER EMPTY_FOLDER
#include "AppContext.h"
#include "Player.h"
#include "ServerDll.h"
#include "WindowTestKit.h"
#include "com/Apartment.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::printf("usage: app_player_listing_benchmark FOLDER EMPTY_FOLDER\n");
    return 2;
  }
  com::apartment apartment;
  for (const wchar_t* dll : {L"ZEVAudioPlayer.dll", L"ZEVAudioDesign.dll", L"ZEVAudioDisplay.dll",
                             L"ZEVAudioFile.dll", L"ZEVAudioInformation.dll"})
    if (FAILED(ServerDll(dll).registerServer())) {
      std::printf("%ls does not register\n", dll);
      return 1;
    }
  app::AppContext context;
  context.Shared.SetOutputFolder(argv[2]);
  auto player = std::make_unique<app::TfrmPlayer>(nullptr, context);
  player->Show();
  testkit::PumpFor(500);
  std::vector<double> times;
  int rows = 0;
  for (int run = 0; run < 5; ++run) {
    const auto start = std::chrono::steady_clock::now();
    player->STV->SetPath(argv[1]);  // lists the folder before it returns
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    rows = player->lvPlayList->Items().Count();
    player->STV->SetPath(argv[2]);
    testkit::PumpFor(100);
  }
  std::sort(times.begin(), times.end());
  std::printf("player window listing %d files: median %.0f ms, best %.0f, worst %.0f (5 runs)\n", rows,
              times[times.size() / 2], times.front(), times.back());
  player.reset();
  return 0;
}
