#include "outside/ZEVAudioPlayer/AudioPlayer.h"

#include "com/Extent.h"
#include "com/SafeArray.h"
#include "com/SampleBlock.h"
#include "com/Stream.h"
#include "com/Variant.h"
#include "outside/ZEVAudioPlayer/OutputSources.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

enum : DISPID { kOnRequestOnLoadBlock = 1, kOnEndBlockPlay = 2, kOnEndPlay = 3, kOnTimer = 4, kOnError = 5 };

constexpr UINT kTickMs = 50;
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTickNow = WM_APP;
constexpr int kLowWaterMs = 500;        // OnRequestOnLoadBlock below this much queued
constexpr DWORD kRequestPatienceMs = 1000;  // an unanswered request counts as "no more"
constexpr int kRequestsPerTick = 8;     // a client answering at once fills the queue in one tick
constexpr double kMostGainDb = 24.0;

// What the control stores after the stream header of the control base.
struct StoredProperties {
  int32_t volume;
  int16_t equalizerEnabled;  // VARIANT_BOOL
  int16_t mute;              // VARIANT_BOOL
  float bands[player::kBands];
};
static_assert(sizeof(StoredProperties) == 56);

VARIANT_BOOL toVariantBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

// One band value of an array of VT_R4, VT_R8 or VARIANT numbers.
HRESULT bandAt(SAFEARRAY* array, VARTYPE type, LONG index, double& value) {
  switch (type) {
    case VT_R4: {
      float f = 0;
      RETURN_IF_FAILED(SafeArrayGetElement(array, &index, &f));
      value = f;
      return S_OK;
    }
    case VT_R8:
      return SafeArrayGetElement(array, &index, &value);
    default: {
      com::variant element;
      RETURN_IF_FAILED(SafeArrayGetElement(array, &index, element.put()));
      RETURN_IF_FAILED(element.change_type(VT_R8));
      value = element.get()->dblVal;
      return S_OK;
    }
  }
}

HRESULT bandsFrom(const VARIANT& bands, player::BandGains& out) {
  for (VARTYPE type : {VT_R4, VT_R8, VT_VARIANT}) {
    SAFEARRAY* array = com::arrayIn(bands, type);
    if (!array) continue;
    if (com::safearray::count(array) != player::kBands) return E_INVALIDARG;
    const LONG first = array->rgsabound[0].lLbound;
    player::BandGains gains{};
    for (int i = 0; i < player::kBands; ++i) {
      RETURN_IF_FAILED(bandAt(array, type, first + i, gains[i]));
      if (!std::isfinite(gains[i]) || std::abs(gains[i]) > kMostGainDb) return E_INVALIDARG;
    }
    out = gains;
    return S_OK;
  }
  return E_INVALIDARG;
}

}  // namespace

AudioPlayer::AudioPlayer() : messages_([this](UINT, WPARAM, LPARAM) { tick(); }) {
  initialExtent(com::toHimetric(SIZE{32, 32}));
}

AudioPlayer::~AudioPlayer() { endPlaying(); }

template <class... Args>
bool AudioPlayer::fire(DISPID id, const Args&... arguments) {
  const unsigned session = session_;
  fireEvent(id, arguments...);
  return playing_ && session_ == session;
}

void AudioPlayer::endPlaying() {
  if (playing_) playedAtEnd_ = engine_.played();
  engine_.stop();
  if (messages_.get()) KillTimer(messages_.get(), kTimerId);
  playing_ = false;
  ++session_;
  queuedFrames_ = 0;
  blockEnds_.clear();
  lastTick_ = 0;
  requestOpen_ = false;
  sourceEnded_ = false;
}

void AudioPlayer::applyVolume() { engine_.processor().setVolume(volume_, mute_); }

void AudioPlayer::tick() {
  if (!playing_) return;
  if (const HRESULT failure = engine_.failure(); FAILED(failure)) {
    endPlaying();
    status_ = failure == E_OUTOFMEMORY ? PST_NO_RESOURCES : PST_OUTPUT_FAILED;
    fireEvent(kOnError, com::variant(static_cast<LONG>(status_)));
    fireEvent(kOnEndPlay);
    return;
  }
  const int64_t played = engine_.played();
  const std::array<int, 2> peak = engine_.peaks(lastTick_, played);
  lastTick_ = played;
  if (!fire(kOnTimer, com::variant(static_cast<LONG>(played)), com::variant(static_cast<LONG>(peak[0])),
            com::variant(static_cast<LONG>(peak[1])))) {
    return;
  }
  while (!blockEnds_.empty() && blockEnds_.front() <= played) {
    blockEnds_.pop_front();
    if (!fire(kOnEndBlockPlay)) return;
  }
  if (requestOpen_ && GetTickCount() - requestTime_ >= kRequestPatienceMs) {
    requestOpen_ = false;
    sourceEnded_ = true;
  }
  const int64_t lowWater = int64_t{format_.rate} * kLowWaterMs / 1000;
  for (int asked = 0; asked < kRequestsPerTick && !requestOpen_ && !sourceEnded_ &&
                      queuedFrames_ - engine_.played() < lowWater;
       ++asked) {
    requestOpen_ = true;
    requestTime_ = GetTickCount();
    if (!fire(kOnRequestOnLoadBlock)) return;
  }
  if (engine_.played() >= queuedFrames_ && !requestOpen_) {
    endPlaying();
    fireEvent(kOnEndPlay);
  }
}

STDMETHODIMP AudioPlayer::Play() {
  if (playing_) return S_OK;
  if (!messages_.get()) {
    status_ = PST_NO_RESOURCES;
    return S_OK;
  }
  return com::guarded([&] {
    std::unique_ptr<player::Output> output;
    if (FAILED(player::openSource(source_, format_, output))) {
      status_ = PST_OUTPUT_FAILED;
      return S_OK;
    }
    if (FAILED(engine_.start(std::move(output), format_))) {
      status_ = PST_NO_RESOURCES;
      return S_OK;
    }
    status_ = PST_OK;
    playing_ = true;
    ++session_;
    playedAtEnd_ = 0;
    lastTick_ = 0;
    SetTimer(messages_.get(), kTimerId, kTickMs, nullptr);
    PostMessageW(messages_.get(), kTickNow, 0, 0);
    return S_OK;
  });
}

STDMETHODIMP AudioPlayer::Stop() {
  endPlaying();
  return S_OK;
}

STDMETHODIMP AudioPlayer::QueueBlock(VARIANT Block) {
  SAFEARRAY* block = com::arrayIn(Block, VT_I2);
  if (!com::isSampleBlock(block)) return E_INVALIDARG;
  const size_t count = com::safearray::count(block);
  if (count % format_.channels != 0) return E_INVALIDARG;
  requestOpen_ = false;
  if (count == 0) {
    sourceEnded_ = true;
    return S_OK;
  }
  return com::guarded([&] {
    com::safearray_data<SHORT> samples(block);
    if (!samples) return samples.result();
    engine_.queue(std::span<const int16_t>(samples.begin(), samples.size()));
    queuedFrames_ += static_cast<int64_t>(count / format_.channels);
    blockEnds_.push_back(queuedFrames_);
    sourceEnded_ = false;
    return S_OK;
  });
}

STDMETHODIMP AudioPlayer::SetFormat(LONG Channels, LONG SampleRate) {
  if (Channels < 1 || Channels > 2 || SampleRate < 8000 || SampleRate > 192000) return E_INVALIDARG;
  if (playing_) return E_UNEXPECTED;
  // Blocks queued for the old format would be read as the new one.
  endPlaying();
  format_ = {static_cast<int>(Channels), static_cast<int>(SampleRate)};
  return S_OK;
}

STDMETHODIMP AudioPlayer::BlockSize(LONG Milliseconds, LONG* Frames) {
  if (!Frames) return E_POINTER;
  if (Milliseconds < 1 || Milliseconds > 60000) return E_INVALIDARG;
  *Frames = MulDiv(Milliseconds, format_.rate, 1000);
  return S_OK;
}

STDMETHODIMP AudioPlayer::SetEqualizerBands(VARIANT Bands) {
  player::BandGains gains;
  RETURN_IF_FAILED(bandsFrom(Bands, gains));
  bands_ = gains;
  engine_.processor().setBands(bands_);
  setDirty();
  return S_OK;
}

STDMETHODIMP AudioPlayer::GetDisplaySamples(LONG Count, SAFEARRAY** Samples) {
  if (!Samples) return E_POINTER;
  *Samples = nullptr;
  if (Count < 0) return E_INVALIDARG;
  return com::guarded([&] {
    std::vector<int16_t> newest;
    if (playing_) newest = engine_.newest(engine_.played(), static_cast<size_t>(Count / format_.channels));
    return com::makeSampleBlock(newest, Samples);
  });
}

STDMETHODIMP AudioPlayer::get_EqualizerEnabled(VARIANT_BOOL* pVal) {
  if (!pVal) return E_POINTER;
  *pVal = toVariantBool(equalizerEnabled_);
  return S_OK;
}

STDMETHODIMP AudioPlayer::put_EqualizerEnabled(VARIANT_BOOL newVal) {
  equalizerEnabled_ = newVal != VARIANT_FALSE;
  engine_.processor().setEqualizerEnabled(equalizerEnabled_);
  setDirty();
  return S_OK;
}

STDMETHODIMP AudioPlayer::get_srcOutput(LONG* pVal) {
  if (!pVal) return E_POINTER;
  *pVal = source_;
  return S_OK;
}

STDMETHODIMP AudioPlayer::put_srcOutput(LONG newVal) {
  if (newVal < 0 || newVal >= player::sourceCount()) return E_INVALIDARG;
  source_ = newVal;
  return S_OK;
}

STDMETHODIMP AudioPlayer::get_srcVolume(LONG* pVal) {
  if (!pVal) return E_POINTER;
  *pVal = volume_;
  return S_OK;
}

STDMETHODIMP AudioPlayer::put_srcVolume(LONG newVal) {
  if (newVal < 0 || newVal > 65535) return E_INVALIDARG;
  volume_ = newVal;
  applyVolume();
  setDirty();
  return S_OK;
}

STDMETHODIMP AudioPlayer::get_srcMute(VARIANT_BOOL* pVal) {
  if (!pVal) return E_POINTER;
  *pVal = toVariantBool(mute_);
  return S_OK;
}

STDMETHODIMP AudioPlayer::put_srcMute(VARIANT_BOOL newVal) {
  mute_ = newVal != VARIANT_FALSE;
  applyVolume();
  setDirty();
  return S_OK;
}

STDMETHODIMP AudioPlayer::get_SourceUsable(VARIANT_BOOL* pVal) {
  if (!pVal) return E_POINTER;
  *pVal = toVariantBool(player::sourceUsable(source_, format_));
  return S_OK;
}

STDMETHODIMP AudioPlayer::get_PlayedSamples(LONG* pVal) {
  if (!pVal) return E_POINTER;
  *pVal = static_cast<LONG>(playing_ ? engine_.played() : playedAtEnd_);
  return S_OK;
}

STDMETHODIMP AudioPlayer::get_PlayerStatus(PlayerStatusConstants* pVal) {
  if (!pVal) return E_POINTER;
  *pVal = status_;
  return S_OK;
}

STDMETHODIMP AudioPlayer::get_SourceCount(LONG* pVal) {
  if (!pVal) return E_POINTER;
  *pVal = player::sourceCount();
  return S_OK;
}

// Only a container in design mode shows the player: a plain face with its name.
void AudioPlayer::draw(HDC dc, const RECT& bounds) {
  RECT face = bounds;
  FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &face, EDGE_RAISED, BF_RECT);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextW(dc, L"AP", -1, &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

HRESULT AudioPlayer::saveProperties(IStream* stream) {
  StoredProperties stored{volume_, toVariantBool(equalizerEnabled_), toVariantBool(mute_), {}};
  std::copy(bands_.begin(), bands_.end(), stored.bands);
  return com::writeBytes(stream, &stored, sizeof stored);
}

HRESULT AudioPlayer::loadProperties(IStream* stream) {
  StoredProperties stored;
  RETURN_IF_FAILED(com::readBytes(stream, &stored, sizeof stored));
  // Through the puts, with their checks: a damaged stream loads nothing out of range.
  RETURN_IF_FAILED(put_srcVolume(stored.volume));
  RETURN_IF_FAILED(put_srcMute(stored.mute));
  RETURN_IF_FAILED(put_EqualizerEnabled(stored.equalizerEnabled));
  com::safearray bands(SafeArrayCreateVector(VT_R4, 0, player::kBands));
  if (!bands) return E_OUTOFMEMORY;
  {
    com::safearray_data<float> values(bands.get());
    if (!values) return values.result();
    std::copy(std::begin(stored.bands), std::end(stored.bands), values.begin());
  }
  return SetEqualizerBands(*com::variant(std::move(bands)).get());
}
