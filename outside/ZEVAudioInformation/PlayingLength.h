// The playing time of an audio file as the player's list shows it, found without decoding the
// audio, so that a folder of files lists quickly: the readers' own length for WAV, MP3 (a scan
// of the frame headers) and Ogg Vorbis (its last pages decoded), which is what a read gives;
// the ASF header's for WMA, whose exact count needs a full decode and is within a frame or two
// of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace audioinfo {

struct PlayingLength {
  int64_t ms = 0;
  // The sample frames a read gives, where finding the length counted them (not for WMA).
  std::optional<int64_t> exactFrames;
};

// Nothing when the file is not audio of the kind its name says (".wav", ".mp3", ".ogg",
// ".wma").
std::optional<PlayingLength> playingLength(const std::wstring& path);

}  // namespace audioinfo
