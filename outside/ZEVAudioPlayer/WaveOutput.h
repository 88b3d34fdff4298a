// Output to a wave-out device: the chunks go out in turn through a few headers, and the
// played position is the device's own count of samples played.
#pragma once

#include "outside/ZEVAudioPlayer/Output.h"
#include "com/Handles.h"

#include <mmsystem.h>

#include <array>
#include <memory>
#include <vector>

namespace player {

class WaveOutput final : public Output {
 public:
  // Opens device for format.
  static HRESULT open(UINT device, const Format& format, std::unique_ptr<Output>& out);
  WaveOutput(const WaveOutput&) = delete;
  WaveOutput& operator=(const WaveOutput&) = delete;
  // Silences the device at once and closes it.
  ~WaveOutput() override;

  HRESULT write(std::span<const int16_t> samples) override;
  int64_t played() override;
  void cancel() override;

 private:
  struct Buffer {
    WAVEHDR header{};
    std::vector<int16_t> data;
    bool prepared = false;
  };

  WaveOutput() = default;
  // A buffer the device has given back (or never had), or none.
  Buffer* freeBuffer();

  com::unique_handle done_;
  com::unique_handle cancelled_;
  HWAVEOUT wave_ = nullptr;
  int channels_ = 2;
  std::array<Buffer, kChunksHeld> buffers_;
  DWORD lastPosition_ = 0;
  int64_t wraps_ = 0;
};

// The format as the wave functions take it: 16-bit PCM.
WAVEFORMATEX waveFormatOf(const Format& format);
// A multimedia error as an HRESULT.
HRESULT hresultOfWave(MMRESULT result);

}  // namespace player
