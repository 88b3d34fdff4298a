#include <algorithm>

#include "DriveCommands.h"
#include "DriveHandles.h"
#include "DriveTransport.h"
#include "ScsiExecute.h"
#include "TransportInternals.h"

namespace drive {

namespace {

struct DiscCounts {
  int sessions = 0;   // highest session number
  int audio = 0;
  int audioWithDataMode = 0;
  int mode1 = 0;      // data tracks in data mode 1
  int mode2 = 0;      // data tracks in data mode 2
};

bool IsAudioMode(int trackMode) { return (trackMode & 0x04) == 0; }

void Count(DiscCounts& counts, int session, int trackMode, int dataMode) {
  counts.sessions = std::max(counts.sessions, session);
  if (IsAudioMode(trackMode)) {
    ++counts.audio;
    if (dataMode == 1 || dataMode == 2) ++counts.audioWithDataMode;
  } else if (dataMode == 1) {
    ++counts.mode1;
  } else if (dataMode == 2) {
    ++counts.mode2;
  }
}

int Classify(const DiscCounts& counts, int trackCount) {
  const bool data = counts.mode1 || counts.mode2;
  if (counts.sessions == 1) {
    if (counts.audio == trackCount) return kDiscRedBook;
    return data ? kDiscYellowBook : kDiscUnrecognized;
  }
  if (counts.sessions >= 2 && counts.audio && counts.audioWithDataMode) return kDiscBlueBook;
  return counts.audio || data ? kDiscOrangeBook : kDiscUnrecognized;
}

}  // namespace

int GetDiscType(int handle, int trackCount) {
  DriveRecord* record = OpenDriveOrFail(handle);
  if (!record) return kDiscUnrecognized;
  if (trackCount < 1) return kDiscUnrecognized;

  DiscCounts counts;
  int track = 1;
  for (; track <= trackCount; ++track) {
    std::uint8_t info[28] = {};
    auto command = CommandTo(*record, kFlagsDataIn,
                             {0x52, 0x01, static_cast<std::uint8_t>(track >> 24),
                              static_cast<std::uint8_t>(track >> 16),
                              static_cast<std::uint8_t>(track >> 8), static_cast<std::uint8_t>(track),
                              0, 0, sizeof info, ControlByte(*record)});
    if (RequestResult(ExecuteScsiCommand(command.withData(info, sizeof info))) != kLayerSuccess)
      break;
    Count(counts, info[3], info[5] & 0x0F, info[6] & 0x0F);
  }
  // Tracks without an answer count as audio tracks of session 0.
  counts.audio += trackCount - track + 1;
  return Classify(counts, trackCount);
}

}  // namespace drive
