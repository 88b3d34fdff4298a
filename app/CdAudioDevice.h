// The system's CD audio device as the main window's CD playback uses it. The real one is the
// MCI CD audio device (MciCdAudio.h); tests put a fake in its place.
#pragma once

namespace app {

// A position in tracks-minutes-seconds-frames: the minutes and seconds are within the track.
struct TrackPosition {
  int track = 0;
  int minutes = 0;
  int seconds = 0;
  int frames = 0;
};

class CdAudioDevice {
 public:
  virtual ~CdAudioDevice() = default;
  // Each answers false when the device refused.
  virtual bool Open() = 0;
  virtual bool IsOpen() const = 0;
  virtual void Close() = 0;
  virtual int TrackCount() = 0;
  // Plays from the start of the 1-based track.
  virtual bool PlayFrom(int track) = 0;
  virtual bool Position(TrackPosition& position) = 0;
  virtual bool IsPlaying() = 0;
  virtual void Stop() = 0;
  // Sends "stop cdaudio" through the command-string interface: it also stops a play another
  // program started on the shared device.
  virtual void StopAll() = 0;
};

}  // namespace app
