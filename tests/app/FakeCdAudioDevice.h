// A CD audio device for tests: a disc of `tracks` tracks that plays when told, reports the
// position a test sets, and records what it was asked.
#pragma once

#include "CdAudioDevice.h"

#include <string>
#include <vector>

class FakeCdAudioDevice : public app::CdAudioDevice {
 public:
  bool Open() override {
    calls.push_back("open");
    open = present;
    return present;
  }
  bool IsOpen() const override { return open; }
  void Close() override {
    calls.push_back("close");
    open = false;
  }
  int TrackCount() override { return tracks; }
  bool PlayFrom(int track) override {
    calls.push_back("play " + std::to_string(track));
    playing = true;
    position = {track, 0, 0, 0};
    return true;
  }
  bool Position(app::TrackPosition& p) override {
    p = position;
    return open && tellsPosition;
  }
  bool IsPlaying() override { return playing; }
  void Stop() override {
    calls.push_back("stop");
    playing = false;
  }
  void StopAll() override { calls.push_back("stop cdaudio"); }

  bool present = true, open = false, playing = false, tellsPosition = true;
  int tracks = 10;
  app::TrackPosition position;
  std::vector<std::string> calls;
};
