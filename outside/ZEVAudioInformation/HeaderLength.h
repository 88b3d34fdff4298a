// The playing time of an audio file as its header states it, read without decoding the audio,
// so that a folder of files lists quickly. Within a frame or two of what a decoder gives (the
// codec's delay and padding), and exact for WAV; the exact count is the file control's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace audioinfo {

// Milliseconds; nothing when the file is not audio of the kind its name says (".wav",
// ".mp3", ".ogg", ".wma"), as far as its header shows.
std::optional<int64_t> headerDurationMs(const std::wstring& path);

}  // namespace audioinfo
