// Encoding speed of the AudioFile component against libmp3lame called directly: 5 minutes of
// CD audio at the component's default settings, handed over in 20 ms blocks as the ripper's
// timer does (a new SAFEARRAY each block), and the same audio, in the same blocks, given to
// LAME with the same settings and written to a file. The two ways take turns, seven runs each;
// the fastest run of each counts. Times are the thread's processor time on one processor, so
// that other work on the machine counts as little as it can. Usage: outside_audio_file_benchmark [seconds of audio]
#include "com/Apartment.h"
#include "com/Bstr.h"
#include "tests/outside/AudioFileClient.h"
#include "tests/outside/AudioTestSupport.h"

#include <lame/lame.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <random>

using namespace outside_test;

namespace {

constexpr size_t kBlockFrames = 882;  // 20 ms
constexpr int kRuns = 7;

// Something closer to music than a pure tone: chords that change every half second, a slow
// tremolo and some noise, so that LAME has real work to do.
std::vector<int16_t> musicLikeAudio(int seconds) {
  const size_t frames = static_cast<size_t>(seconds) * kCdRate;
  std::vector<int16_t> pcm(frames * 2);
  std::mt19937 random(1);
  std::uniform_real_distribution<double> noise(-1, 1);
  const double roots[] = {220, 246.9, 261.6, 293.7, 329.6, 349.2, 392};
  for (size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kCdRate;
    const double root = roots[(i / (kCdRate / 2)) % 7];
    const double tremolo = 0.75 + 0.25 * std::sin(2 * std::numbers::pi * 3 * t);
    double left = 0, right = 0;
    for (double ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
      left += std::sin(2 * std::numbers::pi * root * ratio * t) / ratio;
      right += std::sin(2 * std::numbers::pi * root * ratio * 1.002 * t + ratio) / ratio;
    }
    pcm[2 * i] = static_cast<int16_t>(5000 * tremolo * left + 600 * noise(random));
    pcm[2 * i + 1] = static_cast<int16_t>(5000 * tremolo * right + 600 * noise(random));
  }
  return pcm;
}

double secondsSince(double start) { return threadSeconds() - start; }

double throughComponent(const std::vector<int16_t>& pcm, const std::wstring& path) {
  auto file = createAudioFileObject<IAudioFile>(CLSID_AudioFile);
  const double start = threadSeconds();
  file->CreateOutputFile(com::bstr(path).get(), 2);
  LONG status = -1;
  file->GetOpenStatus(&status);
  file->SetInputFormat(44100, 2);
  if (status != AFS_READY) {
    std::printf("the component could not open %ls (status %ld)\n", path.c_str(), static_cast<long>(status));
    std::exit(1);
  }
  for (size_t i = 0; i < pcm.size(); i += 2 * kBlockFrames) {
    const size_t n = std::min(2 * kBlockFrames, pcm.size() - i);
    SAFEARRAY* block = SafeArrayCreateVector(VT_I2, 0, static_cast<ULONG>(n));
    void* data = nullptr;
    SafeArrayAccessData(block, &data);
    std::copy(pcm.begin() + static_cast<ptrdiff_t>(i), pcm.begin() + static_cast<ptrdiff_t>(i + n),
              static_cast<int16_t*>(data));
    SafeArrayUnaccessData(block);
    file->WriteSamples(&block);
    SafeArrayDestroy(block);
  }
  if (FAILED(file->CloseFile())) {
    std::printf("the component failed to write %ls\n", path.c_str());
    std::exit(1);
  }
  return secondsSince(start);
}

// LAME set up as the component sets it up for a new settings object: 128 kbit/s constant,
// plain stereo, quality 5, VBR ("Info") header, no filters, no ID3 tag.
double directlyThroughLame(const std::vector<int16_t>& pcm, const std::wstring& path) {
  const double start = threadSeconds();
  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
  lame_t lame = lame_init();
  lame_set_in_samplerate(lame, 44100);
  lame_set_num_channels(lame, 2);
  lame_set_out_samplerate(lame, 44100);
  lame_set_write_id3tag_automatic(lame, 0);
  lame_set_mode(lame, STEREO);
  lame_set_quality(lame, 5);
  lame_set_VBR(lame, vbr_off);
  lame_set_brate(lame, 128);
  lame_set_bWriteVbrTag(lame, 1);
  lame_set_lowpassfreq(lame, -1);
  lame_set_highpassfreq(lame, -1);
  lame_init_params(lame);
  std::vector<unsigned char> buffer(kBlockFrames * 5 / 4 + 7200);
  DWORD written = 0;
  for (size_t i = 0; i < pcm.size(); i += 2 * kBlockFrames) {
    const int frames = static_cast<int>(std::min(2 * kBlockFrames, pcm.size() - i) / 2);
    const int n = lame_encode_buffer_interleaved(lame, const_cast<short*>(&pcm[i]), frames, buffer.data(),
                                                 static_cast<int>(buffer.size()));
    WriteFile(out, buffer.data(), static_cast<DWORD>(n), &written, nullptr);
  }
  const int n = lame_encode_flush(lame, buffer.data(), static_cast<int>(buffer.size()));
  WriteFile(out, buffer.data(), static_cast<DWORD>(n), &written, nullptr);
  const size_t tag = lame_get_lametag_frame(lame, buffer.data(), buffer.size());
  SetFilePointer(out, 0, nullptr, FILE_BEGIN);
  WriteFile(out, buffer.data(), static_cast<DWORD>(tag), &written, nullptr);
  lame_close(lame);
  CloseHandle(out);
  return secondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
  com::apartment sta;
  // One processor for every run, so that moving between processors adds no noise.
  SetThreadAffinityMask(GetCurrentThread(), 1);
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
  const auto pcm = musicLikeAudio(seconds);
  double component = 1e9, direct = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    // Each goes first every other time, so that neither always meets a warmer machine.
    if (run % 2) direct = std::min(direct, directlyThroughLame(pcm, scratchPath(L"direct.mp3")));
    component = std::min(component, throughComponent(pcm, scratchPath(L"component.mp3")));
    if (run % 2 == 0) direct = std::min(direct, directlyThroughLame(pcm, scratchPath(L"direct.mp3")));
  }
  const bool same = readBytes(scratchPath(L"direct.mp3")) == readBytes(scratchPath(L"component.mp3"));
  std::printf("%d s of CD audio, 128 kbit/s stereo, 20 ms blocks, processor time, best of %d runs\n", seconds, kRuns);
  std::printf("libmp3lame directly:  %.2f s, %.1f times real time\n", direct, seconds / direct);
  std::printf("AudioFile component:  %.2f s, %.1f times real time\n", component, seconds / component);
  std::printf("component cost over the library: %+.1f %%%s\n", (component / direct - 1) * 100,
              same ? "" : " (the two files differ!)");
  return 0;
}
