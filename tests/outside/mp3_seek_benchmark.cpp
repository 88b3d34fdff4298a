// What a seek costs the player window in a long MP3 file: the file control's OpenFile, then
// Seek(position, 3) followed by the first ReadSamples block of 200 ms (what the window needs in
// hand before it plays again), for the seeks the window makes: jumps forward as the position
// bar is dragged, one second back (the resume after a pause seeks a little behind what was
// read), far back, and to the ends. Three rounds; wall time, the median and the worst of each
// kind. Run by mp3_seek_benchmark.sh, which makes the files.
//   wine-run outside_mp3_seek_benchmark.exe FILE...
#include "com/Apartment.h"
#include "com/Bstr.h"
#include "tests/outside/AudioFileClient.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

using namespace outside_test;

namespace {

using Clock = std::chrono::steady_clock;
constexpr LONG kBlockFrames = 8820;  // 200 ms at 44100 Hz
constexpr int kRounds = 3;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Seek {
  const char* kind;
  LONG target;  // -1: one second back from where the reading is
};

// Forward in sevenths of the file, a second back from each, far back in the same steps, then
// the ends.
std::vector<Seek> playerSeeks(LONG total, LONG rate) {
  std::vector<Seek> seeks;
  for (LONG k = 1; k <= 6; ++k) {
    seeks.push_back({"forward", MulDiv(total, k, 7) + 123});
    seeks.push_back({"1 s back", -1});
  }
  for (LONG k = 6; k >= 1; --k) seeks.push_back({"far back", MulDiv(total, k, 7) - 4567});
  seeks.push_back({"to the end", total - rate / 10});
  seeks.push_back({"to the end", total});
  seeks.push_back({"to the start", 0});
  return seeks;
}

void printTimes(const char* what, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("  %-14s median %8.2f ms, worst %8.2f ms (%zu)\n", what, times[times.size() / 2], times.back(),
              times.size());
}

bool benchmark(IAudioFileControl* control, const std::wstring& path) {
  std::vector<double> opening;
  LONG total = 0, rate = 0, channels = 0;
  for (int i = 0; i < 5; ++i) {
    control->CloseFile();
    const auto start = Clock::now();
    LONG error = -1;
    control->OpenFile(com::bstr(path).get(), 0, 1);
    control->get_OpenError(&error);
    control->get_TotalSamples(&total);
    opening.push_back(millisecondsSince(start));
    if (error != AFE_NONE || total <= 0) {
      std::printf("%ls does not open (error %ld)\n", path.c_str(), static_cast<long>(error));
      return false;
    }
  }
  control->get_FormatA(&rate);
  control->get_FormatB(&channels);
  std::printf("%ls: %.1f minutes at %ld Hz\n", path.c_str(), total / 60.0 / rate, static_cast<long>(rate));
  printTimes("OpenFile", opening);
  std::map<std::string, std::vector<double>> times;
  LONG reading = 0;
  for (int round = 0; round < kRounds; ++round) {
    for (const Seek& seek : playerSeeks(total, rate)) {
      const LONG target = seek.target >= 0 ? seek.target : std::max<LONG>(0, reading - rate);
      const auto start = Clock::now();
      LONG reached = -1;
      com::safearray block;
      if (FAILED(control->Seek(target, 3, &reached)) || FAILED(control->ReadSamples(kBlockFrames, block.put())) ||
          reached != target) {
        std::printf("the seek to %ld failed (reached %ld)\n", static_cast<long>(target), static_cast<long>(reached));
        return false;
      }
      times[seek.kind].push_back(millisecondsSince(start));
      reading = reached + static_cast<LONG>(samplesOf(block.get()).size()) / channels;
    }
  }
  for (const auto& [kind, kindTimes] : times) printTimes(kind.c_str(), kindTimes);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  com::apartment apartment;
  auto control = createAudioFileObject<IAudioFileControl>(CLSID_AudioFileControl);
  if (!control) return 1;
  bool fine = true;
  for (int i = 1; i < argc; ++i) fine = benchmark(control.get(), argv[i]) && fine;
  return fine ? 0 : 1;
}
