#include "outside/ZEVAudioPlayer/OutputSources.h"

#include "outside/ZEVAudioPlayer/NullOutput.h"
#include "outside/ZEVAudioPlayer/WaveOutput.h"

namespace player {

namespace {

bool silentOnly() { return waveOutGetNumDevs() == 0; }

}  // namespace

int sourceCount() { return silentOnly() ? 1 : static_cast<int>(waveOutGetNumDevs()); }

bool sourceUsable(int source, const Format& format) {
  if (source < 0 || source >= sourceCount()) return false;
  if (silentOnly()) return true;
  const WAVEFORMATEX wave = waveFormatOf(format);
  return waveOutOpen(nullptr, static_cast<UINT>(source), &wave, 0, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR;
}

HRESULT openSource(int source, const Format& format, std::unique_ptr<Output>& out) {
  if (source < 0 || source >= sourceCount()) return E_INVALIDARG;
  if (!silentOnly()) return WaveOutput::open(static_cast<UINT>(source), format, out);
  out = std::make_unique<NullOutput>(format);
  return S_OK;
}

}  // namespace player
