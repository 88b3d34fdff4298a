#include "PlayerClient.h"

#include "ServerDll.h"
#include "com/Result.h"
#include "com/SampleBlock.h"
#include "com/Variant.h"

#include <cmath>
#include <numbers>

namespace outside_test {

PlayerClient::PlayerClient() {
  QueryPerformanceCounter(&start_);
  static const bool registered = ServerDll(L"ZEVAudioPlayer.dll").registerServer() == S_OK;
  if (!registered || !apartment_) return;
  if (FAILED(host_.create(CLSID_AudioPlayer, nullptr, RECT{0, 0, 32, 32}))) return;
  host_.sinkEvents(DIID__IAudioPlayerEvents, [this](DISPID id, const DISPPARAMS& params) {
    switch (id) {
      case 1:
      case 2:
        ++(id == 1 ? requests : blockEnds);
        if (onRequest) onRequest();
        break;
      case 3:
        ++endPlays;
        break;
      case 4:
        // Arguments come last to first.
        timers.push_back({params.rgvarg[2].lVal, params.rgvarg[1].lVal, params.rgvarg[0].lVal, seconds()});
        break;
      case 5:
        errors.push_back(params.rgvarg[0].lVal);
        break;
    }
  });
  player = host_.query<IAudioPlayer>();
}

HRESULT PlayerClient::queue(const std::vector<int16_t>& samples) {
  com::safearray block;
  RETURN_IF_FAILED(com::makeSampleBlock(samples, block.put()));
  return player->QueueBlock(*com::variant(std::move(block)).get());
}

HRESULT PlayerClient::setBands(const std::vector<float>& bands) {
  com::safearray array(SafeArrayCreateVector(VT_R4, 0, static_cast<ULONG>(bands.size())));
  {
    com::safearray_data<float> values(array.get());
    std::copy(bands.begin(), bands.end(), values.begin());
  }
  return player->SetEqualizerBands(*com::variant(std::move(array)).get());
}

bool PlayerClient::pumpUntil(const std::function<bool()>& done, int milliseconds) {
  const double end = seconds() + milliseconds / 1000.0;
  while (!done()) {
    if (seconds() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return true;
}

LONG PlayerClient::played() {
  LONG value = -1;
  player->get_PlayedSamples(&value);
  return value;
}

double PlayerClient::seconds() const {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return double(now.QuadPart - start_.QuadPart) / frequency.QuadPart;
}

std::vector<int16_t> sineFrames(int frames, int channels, double frequency, double amplitude, int rate,
                                int64_t phaseFrame) {
  std::vector<int16_t> samples;
  samples.reserve(size_t(frames) * channels);
  for (int64_t n = phaseFrame; n < phaseFrame + frames; ++n) {
    const double value = amplitude * std::sin(2 * std::numbers::pi * frequency * double(n) / rate);
    for (int c = 0; c < channels; ++c) samples.push_back(static_cast<int16_t>(std::lround(value)));
  }
  return samples;
}

double sineAmplitude(const std::vector<int16_t>& samples, int channels, int channel, double frequency, int rate) {
  // Fits a sin + b cos + c by the normal equations.
  double m[3][4] = {};
  for (size_t i = channel, n = 0; i < samples.size(); i += channels, ++n) {
    const double w = 2 * std::numbers::pi * frequency * double(n) / rate;
    const double basis[3] = {std::sin(w), std::cos(w), 1.0};
    for (int r = 0; r < 3; ++r) {
      for (int c = 0; c < 3; ++c) m[r][c] += basis[r] * basis[c];
      m[r][3] += basis[r] * samples[i];
    }
  }
  for (int p = 0; p < 3; ++p) {
    for (int r = 0; r < 3; ++r) {
      if (r == p || m[p][p] == 0) continue;
      const double f = m[r][p] / m[p][p];
      for (int c = 0; c < 4; ++c) m[r][c] -= f * m[p][c];
    }
  }
  const double a = m[0][3] / m[0][0], b = m[1][3] / m[1][1];
  return std::hypot(a, b);
}

}  // namespace outside_test
