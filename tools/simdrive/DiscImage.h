// A simulated disc: its tracks laid out on logical block addresses, and the raw 2352-byte
// frame at any address, as a drive reads it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PcmFile.h"

namespace simdrive {

enum class TrackKind { Audio, Mode1, Mode2 };
enum class AudioSource { Generated, Silence, File };

// Frames between the end of one session and the first track of the next one (lead-out,
// lead-in and pre-gap of a multisession disc).
constexpr std::int32_t kSessionGap = 11400;
// LBA 0 is MSF 00:02:00.
constexpr std::int32_t kMsfOffset = 150;

struct Track {
  int number = 0;
  TrackKind kind = TrackKind::Audio;
  int session = 1;
  std::int32_t start = 0;   // LBA
  std::int32_t length = 0;  // frames
  int dataMode = 0x0F;      // what READ TRACK INFORMATION reports
  AudioSource source = AudioSource::Generated;
  std::shared_ptr<const PcmFile> file;

  bool IsAudio() const { return kind == TrackKind::Audio; }
  std::uint8_t Control() const { return IsAudio() ? 0x00 : 0x04; }
  std::int32_t End() const { return start + length; }
};

struct Disc {
  std::string name;
  std::vector<Track> tracks;
  std::int32_t leadout = 0;

  const Track* TrackAt(std::int32_t lba) const;  // null in a session gap or off the disc
};

// Adds one "track = ..." line to `disc` (tracks are laid out in the order given).
// `folder` resolves relative file names. False with `error` on a malformed line.
bool AddTrack(Disc& disc, std::string_view line, const std::string& folder, std::string& error);

// `count` raw frames from `lba` on; frames off every track (session gaps, past the
// lead-out, before LBA 0) read as zeros.
void ReadRawFrames(const Disc& disc, std::int64_t lba, std::int32_t count, std::uint8_t* out);

// "m:ss", "m:ss.ff" or a frame count; nullopt when malformed.
std::optional<std::int32_t> ParseLength(std::string_view text);

}  // namespace simdrive
