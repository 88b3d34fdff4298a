#include "DiscId.h"

#include "AudioReads.h"
#include "DiscIdRing.h"
#include "DriveHandles.h"
#include "DriveTransport.h"

namespace cddb {
namespace {

constexpr int kFramesPerSecond = 75;
constexpr std::uint8_t kDataTrack = 0x04;

int TrackCount(const drive::TOCRecord& toc) {
  const int count = toc.lastTrack - toc.firstTrack + 1;
  if (count < 0) return 0;
  return count > kMaxDiscTracks ? kMaxDiscTracks : count;
}

int Seconds(const drive::TOCTrack& track) { return track.address[1] * 60 + track.address[2]; }

// A failed read leaves the TOC zeroed; `read` says whether it was.
drive::TOCRecord ReadTOCAsMSF(int handle, bool* read = nullptr) {
  drive::TOCRecord toc{};
  drive::SetDriveOption(handle, '$', 1);
  const bool answered = drive::ReadDiscTOC(handle, &toc) == drive::kLayerSuccess;
  if (read != nullptr) *read = answered;
  return toc;
}

bool HasAudioTrack(const drive::TOCRecord& toc) {
  for (int k = 0; k < TrackCount(toc); ++k) {
    if (!(toc.tracks[k].adrControl & kDataTrack)) return true;
  }
  return false;
}

}  // namespace

int DigitSum(int n) {
  int sum = 0;
  for (unsigned rest = static_cast<unsigned>(n < 0 ? -n : n); rest > 0; rest /= 10) sum += static_cast<int>(rest % 10);
  return sum;
}

void DiscIdFromTOC(const drive::TOCRecord& toc, std::int32_t* record) {
  const int n = TrackCount(toc);
  unsigned sum = 0;
  for (int k = 0; k < n; ++k) {
    const int seconds = Seconds(toc.tracks[k]);
    record[2 + k] = seconds * kFramesPerSecond + toc.tracks[k].address[3];
    sum += static_cast<unsigned>(DigitSum(seconds));
  }
  const int playingTime = Seconds(toc.tracks[n]) - Seconds(toc.tracks[0]);
  record[0] = static_cast<std::int32_t>((sum % 255) << 24 | static_cast<unsigned>(playingTime) << 8 |
                                        static_cast<unsigned>(n));
  record[1] = n;
  record[n + 2] = playingTime;
}

std::uint32_t IniKeyFromTOC(const drive::TOCRecord& toc) {
  std::uint32_t key = 0;
  for (int k = 0; k < TrackCount(toc); ++k) {
    const drive::TOCTrack& track = toc.tracks[k];
    if (track.adrControl & kDataTrack) continue;
    key += static_cast<std::uint32_t>(track.address[0]) << 24 | static_cast<std::uint32_t>(track.address[1]) << 16 |
           static_cast<std::uint32_t>(track.address[2]) << 8 | track.address[3];
  }
  return key;
}

int ComputeDiscId(int handle, std::int32_t* record) {
  const drive::TOCRecord toc = ReadTOCAsMSF(handle);
  if (record != nullptr) DiscIdFromTOC(toc, record);
  return 0;
}

bool ReadDiscIdentity(int handle, std::int32_t* record, std::uint32_t* iniKey, bool* audioDisc) {
  drive::DriveRecord* opened = drive::OpenDriveOrFail(handle);
  if (opened == nullptr || record == nullptr) return false;
  const int addressing = opened->tocAddressingMSF;
  bool read = false;
  const drive::TOCRecord toc = ReadTOCAsMSF(handle, &read);
  if (audioDisc != nullptr) *audioDisc = read && HasAudioTrack(toc);
  opened->tocAddressingMSF = addressing;
  DiscIdFromTOC(toc, record);
  const std::uint32_t key = IniKeyFromTOC(toc);
  RememberDiscId(key, static_cast<std::uint32_t>(record[0]), record[1]);
  if (iniKey != nullptr) *iniKey = key;
  return true;
}

int ComputeDiscIdRecord(int handle, std::int32_t* record) {
  return ReadDiscIdentity(handle, record, nullptr) ? drive::kLayerSuccess : drive::kLayerFailure;
}

std::uint32_t ComputeIniKey(int handle) { return IniKeyFromTOC(ReadTOCAsMSF(handle)); }

}  // namespace cddb
