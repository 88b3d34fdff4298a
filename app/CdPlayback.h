// Playing one track of the disc through the CD audio device, as the main window's "Play track"
// and "Stop play" buttons and its 100 ms play timer do it: the position label follows the
// play, and playback stops by itself when it runs into the next track or off the disc's end.
#pragma once

#include <string>

#include "CdAudioDevice.h"

namespace app {

// What playback changes on the window.
class CdPlaybackView {
 public:
  virtual ~CdPlaybackView() = default;
  virtual void SetPlayEnabled(bool enabled) = 0;
  virtual void SetStopEnabled(bool enabled) = 0;
  virtual void SetPlayInfo(const std::string& text) = 0;
  virtual void SetPlayTimer(bool on) = 0;
};

class CdPlayback {
 public:
  CdPlayback(CdAudioDevice& device, CdPlaybackView& view) : device_(device), view_(view) {}

  // "Play track" for the row at rowIndex. Does nothing visible when there is no disc or device.
  void Play(int rowIndex);
  // The play timer: the position label, and the stop once another track plays or the play
  // has ended. rowSelected tells whether "Play track" may be enabled afterwards.
  void Tick(bool rowSelected);
  // "Stop play": also stops what another program plays on the device, and closes it.
  void Stop();
  // Stops and closes a playing device before the disc is read again, a rip starts or the
  // window goes; does nothing when nothing plays.
  void StopForDiscWork();

  bool Playing() const { return playing_; }
  int StartedTrack() const { return startedTrack_; }

 private:
  void Ended(bool rowSelected);

  CdAudioDevice& device_;
  CdPlaybackView& view_;
  int startedTrack_ = 0;
  bool playing_ = false;
};

// The position label while a track plays: "Playing ...   [ Track  03 ]  00:05  ".
std::string PlayInfoText(const TrackPosition& position);
inline constexpr const char* kStoppedInfo = "Stop ";

}  // namespace app
