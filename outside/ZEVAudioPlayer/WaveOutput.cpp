#include "outside/ZEVAudioPlayer/WaveOutput.h"

#include <algorithm>

namespace player {

WAVEFORMATEX waveFormatOf(const Format& format) {
  WAVEFORMATEX wave{};
  wave.wFormatTag = WAVE_FORMAT_PCM;
  wave.nChannels = static_cast<WORD>(format.channels);
  wave.nSamplesPerSec = static_cast<DWORD>(format.rate);
  wave.wBitsPerSample = 16;
  wave.nBlockAlign = static_cast<WORD>(2 * format.channels);
  wave.nAvgBytesPerSec = wave.nSamplesPerSec * wave.nBlockAlign;
  return wave;
}

HRESULT hresultOfWave(MMRESULT result) {
  if (result == MMSYSERR_NOERROR) return S_OK;
  if (result == MMSYSERR_NOMEM) return E_OUTOFMEMORY;
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x200 + result);
}

HRESULT WaveOutput::open(UINT device, const Format& format, std::unique_ptr<Output>& out) {
  std::unique_ptr<WaveOutput> output(new WaveOutput);
  output->channels_ = format.channels;
  output->done_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
  output->cancelled_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!output->done_ || !output->cancelled_) return HRESULT_FROM_WIN32(GetLastError());
  const WAVEFORMATEX wave = waveFormatOf(format);
  const MMRESULT result = waveOutOpen(&output->wave_, device, &wave, reinterpret_cast<DWORD_PTR>(output->done_.get()),
                                      0, CALLBACK_EVENT);
  if (result != MMSYSERR_NOERROR) {
    output->wave_ = nullptr;
    return hresultOfWave(result);
  }
  out = std::move(output);
  return S_OK;
}

WaveOutput::~WaveOutput() {
  if (!wave_) return;
  waveOutReset(wave_);
  for (Buffer& buffer : buffers_) {
    if (buffer.prepared) waveOutUnprepareHeader(wave_, &buffer.header, sizeof buffer.header);
  }
  waveOutClose(wave_);
}

WaveOutput::Buffer* WaveOutput::freeBuffer() {
  auto found = std::find_if(buffers_.begin(), buffers_.end(), [](const Buffer& b) {
    return !b.prepared || (b.header.dwFlags & WHDR_DONE);
  });
  return found == buffers_.end() ? nullptr : &*found;
}

HRESULT WaveOutput::write(std::span<const int16_t> samples) {
  Buffer* buffer = freeBuffer();
  while (!buffer) {
    const HANDLE waits[] = {cancelled_.get(), done_.get()};
    const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (woke == WAIT_FAILED) return HRESULT_FROM_WIN32(GetLastError());
    if (woke == WAIT_OBJECT_0) return E_ABORT;
    buffer = freeBuffer();
  }
  if (WaitForSingleObject(cancelled_.get(), 0) == WAIT_OBJECT_0) return E_ABORT;
  if (buffer->prepared) {
    waveOutUnprepareHeader(wave_, &buffer->header, sizeof buffer->header);
    buffer->prepared = false;
  }
  buffer->data.assign(samples.begin(), samples.end());
  buffer->header = {};
  buffer->header.lpData = reinterpret_cast<LPSTR>(buffer->data.data());
  buffer->header.dwBufferLength = static_cast<DWORD>(samples.size_bytes());
  if (const MMRESULT r = waveOutPrepareHeader(wave_, &buffer->header, sizeof buffer->header)) return hresultOfWave(r);
  buffer->prepared = true;
  return hresultOfWave(waveOutWrite(wave_, &buffer->header, sizeof buffer->header));
}

int64_t WaveOutput::played() {
  MMTIME time{};
  time.wType = TIME_SAMPLES;
  if (waveOutGetPosition(wave_, &time, sizeof time) != MMSYSERR_NOERROR) return wraps_ + lastPosition_;
  DWORD position = time.u.sample;
  if (time.wType == TIME_BYTES) position = time.u.cb / (2 * channels_);
  // The device counts in 32 bits: past 27 hours at 44.1 kHz it starts again from 0.
  if (position < lastPosition_) wraps_ += int64_t{1} << 32;
  lastPosition_ = position;
  return wraps_ + position;
}

void WaveOutput::cancel() { SetEvent(cancelled_.get()); }

}  // namespace player
