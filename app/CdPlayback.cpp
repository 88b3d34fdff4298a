#include "CdPlayback.h"

#include "TextRoutines.h"

namespace app {

std::string PlayInfoText(const TrackPosition& position) {
  return "Playing ...   [ Track  " + TwoDigits(position.track) + " ]  " + TwoDigits(position.minutes) + ":" +
         TwoDigits(position.seconds) + "  ";
}

void CdPlayback::Play(int rowIndex) {
  if (rowIndex < 0 || !device_.Open()) return;
  int track = rowIndex + 1;
  const int last = device_.TrackCount();
  if (last > 0 && track > last) track = last;
  if (!device_.PlayFrom(track)) return;
  TrackPosition position;
  if (!device_.Position(position)) {
    // A play the window cannot follow (the disc went as it started) is not left sounding
    // with "Stop play" disabled.
    device_.Stop();
    device_.Close();
    return;
  }
  startedTrack_ = position.track;
  view_.SetPlayTimer(true);
  playing_ = true;
}

void CdPlayback::Tick(bool rowSelected) {
  if (!playing_) return;
  TrackPosition position;
  // A device that stopped playing has reached the end of the disc (or was stopped from
  // outside): that ends the play like the start of another track does, rather than leaving the
  // timer running and the buttons as they were.
  if (!device_.IsPlaying() || !device_.Position(position)) {
    // One that still plays but no longer tells where is stopped, as the window then says.
    device_.Stop();
    Ended(rowSelected);
    return;
  }
  view_.SetPlayInfo(PlayInfoText(position));
  if (position.track == startedTrack_) {
    view_.SetPlayEnabled(false);
    view_.SetStopEnabled(true);
    return;
  }
  device_.Stop();
  Ended(rowSelected);
}

void CdPlayback::Ended(bool rowSelected) {
  view_.SetPlayEnabled(rowSelected);
  view_.SetStopEnabled(false);
  view_.SetPlayTimer(false);
  playing_ = false;
  view_.SetPlayInfo(kStoppedInfo);
}

void CdPlayback::Stop() {
  device_.StopAll();
  device_.Stop();
  view_.SetPlayTimer(false);
  device_.Close();
  startedTrack_ = 0;
  view_.SetPlayEnabled(true);
  view_.SetStopEnabled(false);
  view_.SetPlayInfo(kStoppedInfo);
  playing_ = false;
}

void CdPlayback::StopForDiscWork() {
  if (!playing_) return;
  device_.Stop();
  view_.SetPlayTimer(false);
  device_.Close();
  startedTrack_ = 0;
  playing_ = false;
  view_.SetPlayEnabled(true);
  view_.SetStopEnabled(false);
}

}  // namespace app
