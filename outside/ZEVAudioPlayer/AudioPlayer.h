// AudioPlayer: the ZEVAudioPlayer control. It plays the sample blocks its client queues
// through the selected source (PlaybackEngine), and on the thread that created it asks for
// more, tells of blocks played and of the end, and reports the position and levels every
// 50 ms. It has nothing to show at run time. See outside/README.md.
#pragma once

#include "com/ControlObject.h"
#include "outside/ZEVAudioPlayer/MessageWindow.h"
#include "outside/ZEVAudioPlayer/PlaybackEngine.h"

#include "ZEVAudioPlayer.h"

#include <deque>

class AudioPlayer final : public com::ControlObject<AudioPlayer, IAudioPlayer> {
 public:
  static constexpr const CLSID& classId = CLSID_AudioPlayer;
  static constexpr const IID& sourceId = DIID__IAudioPlayerEvents;

  AudioPlayer();
  ~AudioPlayer() override;

  // IAudioPlayer, in slot order
  STDMETHODIMP Play() override;
  STDMETHODIMP Stop() override;
  STDMETHODIMP QueueBlock(VARIANT Block) override;
  STDMETHODIMP SetFormat(LONG Channels, LONG SampleRate) override;
  STDMETHODIMP BlockSize(LONG Milliseconds, LONG* Frames) override;
  STDMETHODIMP SetEqualizerBands(VARIANT Bands) override;
  STDMETHODIMP GetDisplaySamples(LONG Count, SAFEARRAY** Samples) override;
  STDMETHODIMP get_EqualizerEnabled(VARIANT_BOOL* pVal) override;
  STDMETHODIMP put_EqualizerEnabled(VARIANT_BOOL newVal) override;
  STDMETHODIMP get_srcOutput(LONG* pVal) override;
  STDMETHODIMP put_srcOutput(LONG newVal) override;
  STDMETHODIMP get_srcVolume(LONG* pVal) override;
  STDMETHODIMP put_srcVolume(LONG newVal) override;
  STDMETHODIMP get_srcMute(VARIANT_BOOL* pVal) override;
  STDMETHODIMP put_srcMute(VARIANT_BOOL newVal) override;
  STDMETHODIMP get_SourceUsable(VARIANT_BOOL* pVal) override;
  STDMETHODIMP get_PlayedSamples(LONG* pVal) override;
  STDMETHODIMP get_PlayerStatus(PlayerStatusConstants* pVal) override;
  STDMETHODIMP get_SourceCount(LONG* pVal) override;

 private:
  void draw(HDC dc, const RECT& bounds) override;
  HRESULT saveProperties(IStream* stream) override;
  HRESULT loadProperties(IStream* stream) override;

  // Every 50 ms while playing, and once at once after Play.
  void tick();
  // Fires an event; false when its handler stopped playing or started anew.
  template <class... Args>
  bool fire(DISPID id, const Args&... arguments);
  // Stops the engine and forgets the queue; PlayedSamples keeps what was played.
  void endPlaying();
  void applyVolume();

  player::Format format_;
  player::PlaybackEngine engine_;
  player::MessageWindow messages_;
  player::BandGains bands_{};
  bool equalizerEnabled_ = true;
  LONG source_ = 0;
  LONG volume_ = 65535;
  bool mute_ = false;
  PlayerStatusConstants status_ = PST_OK;

  bool playing_ = false;
  unsigned session_ = 0;          // counts starts and ends, so a handler's Stop or Play is seen
  int64_t queuedFrames_ = 0;      // since the playing started (or the queue was last emptied)
  std::deque<int64_t> blockEnds_; // frame at which each queued block ends
  int64_t playedAtEnd_ = 0;
  int64_t lastTick_ = 0;          // frames played at the previous OnTimer
  bool requestOpen_ = false;      // OnRequestOnLoadBlock fired and not yet answered
  DWORD requestTime_ = 0;
  bool sourceEnded_ = false;      // an empty block came, or a request went unanswered
};
