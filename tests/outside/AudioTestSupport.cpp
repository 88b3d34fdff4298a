#include "tests/outside/AudioTestSupport.h"

#include <windows.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>

namespace outside_test {
namespace {

class ScratchFolder {
 public:
  ScratchFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"talvo-outside-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~ScratchFolder() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path_ + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring file = path_ + found.cFileName;
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(file.c_str());
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
  }
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

}  // namespace

std::vector<int16_t> stereoTones(int frames, double leftHz, double rightHz, int rate) {
  std::vector<int16_t> pcm(static_cast<size_t>(frames) * 2);
  for (int i = 0; i < frames; ++i) {
    const double t = 2 * std::numbers::pi * i / rate;
    pcm[2 * i] = static_cast<int16_t>(std::lround(9830 * std::sin(leftHz * t)));
    pcm[2 * i + 1] = static_cast<int16_t>(std::lround(9830 * std::sin(rightHz * t)));
  }
  return pcm;
}

double snrDb(const std::vector<int16_t>& reference, int referenceChannels, const std::vector<int16_t>& decoded,
             int decodedChannels, int channel, int maxDelay) {
  const size_t refFrames = reference.size() / referenceChannels;
  const size_t decFrames = decoded.size() / decodedChannels;
  double best = -1000;
  for (int delay = 0; delay <= maxDelay; ++delay) {
    double rr = 0, rd = 0, dd = 0;
    for (size_t i = 0; i < refFrames && i + delay < decFrames; ++i) {
      const double r = reference[i * referenceChannels + channel];
      const double d = decoded[(i + delay) * decodedChannels + channel];
      rr += r * r;
      rd += r * d;
      dd += d * d;
    }
    if (rr == 0 || dd == 0) continue;
    // Noise left after the best-fitting gain: |d|^2 - (r.d)^2 / |r|^2, against |d|^2.
    const double noise = dd - rd * rd / rr;
    best = std::max(best, 10 * std::log10(dd / std::max(noise, 1e-9)));
  }
  return best;
}

const std::wstring& scratchFolder() {
  static ScratchFolder folder;
  return folder.path();
}

std::wstring scratchPath(const std::wstring& name) { return scratchFolder() + name; }

void writeBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> readBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

double threadSeconds() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto seconds = [](FILETIME t) { return static_cast<double>(uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7; };
  return seconds(kernel) + seconds(user);
}

}  // namespace outside_test
