#include "MciCdAudio.h"

namespace app {

bool MciCdAudio::Open() {
  if (device_) return true;
  MCI_OPEN_PARMSA open{};
  open.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO));
  if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_SHAREABLE,
                      reinterpret_cast<DWORD_PTR>(&open)) != 0)
    return false;
  device_ = open.wDeviceID;
  return true;
}

void MciCdAudio::Close() {
  if (!device_) return;
  mciSendCommandA(device_, MCI_CLOSE, MCI_WAIT, 0);
  device_ = 0;
}

bool MciCdAudio::SetTmsfFormat() {
  MCI_SET_PARMS set{};
  set.dwTimeFormat = MCI_FORMAT_TMSF;
  return mciSendCommandA(device_, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set)) == 0;
}

bool MciCdAudio::Status(DWORD item, DWORD_PTR& value) {
  MCI_STATUS_PARMS status{};
  status.dwItem = item;
  if (mciSendCommandA(device_, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)) != 0)
    return false;
  value = status.dwReturn;
  return true;
}

int MciCdAudio::TrackCount() {
  DWORD_PTR count = 0;
  return device_ && Status(MCI_STATUS_NUMBER_OF_TRACKS, count) ? static_cast<int>(count) : 0;
}

bool MciCdAudio::PlayFrom(int track) {
  if (!device_ || !SetTmsfFormat()) return false;
  MCI_PLAY_PARMS play{};
  play.dwFrom = MCI_MAKE_TMSF(track, 0, 0, 0);
  return mciSendCommandA(device_, MCI_PLAY, MCI_FROM, reinterpret_cast<DWORD_PTR>(&play)) == 0;
}

bool MciCdAudio::Position(TrackPosition& position) {
  DWORD_PTR tmsf = 0;
  if (!device_ || !SetTmsfFormat() || !Status(MCI_STATUS_POSITION, tmsf)) return false;
  const auto packed = static_cast<DWORD>(tmsf);
  position = {MCI_TMSF_TRACK(packed), MCI_TMSF_MINUTE(packed), MCI_TMSF_SECOND(packed), MCI_TMSF_FRAME(packed)};
  return true;
}

bool MciCdAudio::IsPlaying() {
  DWORD_PTR mode = 0;
  return device_ && Status(MCI_STATUS_MODE, mode) && mode == MCI_MODE_PLAY;
}

void MciCdAudio::Stop() {
  if (device_) mciSendCommandA(device_, MCI_STOP, MCI_WAIT, 0);
}

void MciCdAudio::StopAll() { mciSendStringA("stop cdaudio", nullptr, 0, nullptr); }

}  // namespace app
