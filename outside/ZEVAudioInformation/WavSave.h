// Saving tags into a WAV file without changing the audio any reader finds. taglib appends its
// chunks after the last chunk it finds; a writer that could not go back to fill in the data
// chunk's size (a recorder cut off, a camera's empty memo) leaves it 0 or all ones, which
// readers take as "to the end of the file", so appended tags would play as audio.
#pragma once

#include <functional>
#include <string>

namespace audioinfo {

// Gives the data chunk the size its readers take for it (the audio up to the end of the file
// as it is), then saves through `save`; an empty data chunk, whose size of 0 readers take as
// "to the end of the file" whatever it says, is moved after what the save appended. False when
// the file cannot be written (read-only, held by another program) or holds no WAV audio, before
// anything is written, or when the save or a write fails.
bool saveKeepingWavAudio(const std::wstring& path, const std::function<bool()>& save);

}  // namespace audioinfo
