// The MCI CD audio device, opened shareable on the default CD drive, in the
// tracks-minutes-seconds-frames time format.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "CdAudioDevice.h"

namespace app {

class MciCdAudio final : public CdAudioDevice {
 public:
  MciCdAudio() = default;
  MciCdAudio(const MciCdAudio&) = delete;
  MciCdAudio& operator=(const MciCdAudio&) = delete;
  ~MciCdAudio() override { Close(); }

  bool Open() override;
  bool IsOpen() const override { return device_ != 0; }
  void Close() override;
  int TrackCount() override;
  bool PlayFrom(int track) override;
  bool Position(TrackPosition& position) override;
  bool IsPlaying() override;
  void Stop() override;
  void StopAll() override;

 private:
  bool SetTmsfFormat();
  bool Status(DWORD item, DWORD_PTR& value);

  MCIDEVICEID device_ = 0;
};

}  // namespace app
