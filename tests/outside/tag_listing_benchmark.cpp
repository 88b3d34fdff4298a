// What the player window pays per file when it lists a folder: the tag component's OpenFile and
// Duration, through the component's DLL, on every file of each folder given (wall time, as the
// user waits for it), with the median, the best and the worst per folder. Run by
// tag_listing_benchmark.sh, which makes the files.
//   wine-run outside_tag_listing_benchmark.exe FOLDER...
#include "com/Apartment.h"
#include "com/Bstr.h"
#include "tests/outside/AudioFileClient.h"

#include "ZEVAudioInformation.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cwchar>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::wstring> filesOf(const std::wstring& folder) {
  std::vector<std::wstring> files;
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"\\*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(folder + L"\\" + found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  com::apartment apartment;
  com::ptr<IAudioInformation> information;
  if (FAILED(outside_test::createServerObject(L"ZEVAudioInformation.dll", CLSID_AudioInformation,
                                              IID_IAudioInformation, information.put_void()))) {
    std::printf("no AudioInformation object\n");
    return 1;
  }
  for (int i = 1; i < argc; ++i) {
    std::vector<double> times;
    long shortest = LONG_MAX, longest = 0;
    for (const std::wstring& file : filesOf(argv[i])) {
      const auto start = Clock::now();
      VARIANT_BOOL opened = VARIANT_FALSE;
      long duration = 0;
      information->OpenFile(com::bstr(file).get(), &opened);
      information->get_Duration(&duration);
      times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
      shortest = std::min(shortest, opened ? duration : 0);
      longest = std::max(longest, duration);
    }
    if (times.empty()) continue;
    std::sort(times.begin(), times.end());
    const wchar_t* name = std::max(wcsrchr(argv[i], L'\\'), wcsrchr(argv[i], L'/'));
    std::printf("%-8ls %3zu files: median %7.2f ms, best %7.2f, worst %7.2f (durations %ld-%ld ms)\n", name ? name + 1 : argv[i],
                times.size(), times[times.size() / 2], times.front(), times.back(), shortest, longest);
  }
  return 0;
}
