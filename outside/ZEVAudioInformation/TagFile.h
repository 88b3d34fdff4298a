// Tags of audio files through taglib (ID3v2.3 and ID3v1 in MP3 files, Vorbis comments in Ogg
// Vorbis files, RIFF INFO and an ID3 chunk in WAV files, ASF attributes in WMA files), their
// playing time as the header states it, and their exact length from the file control's
// decoders.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace audioinfo {

struct Tags {
  std::wstring title, artist, album;
  int genre = 0;  // index into the genre list; -1 when the file names none of it
  int year = 0;
};

struct FileInfo {
  Tags tags;
  int64_t durationMs = 0;  // found without decoding the audio
  // The sample frames a read gives, where finding the duration counted them already.
  std::optional<int64_t> totalSamples;
};

// Nothing when the file cannot be read as audio of the kind its name says.
std::optional<FileInfo> readFileInfo(const std::wstring& path);

// The length in sample frames that a read from the start gives, which for some kinds takes
// decoding the whole file; 0 when the file control does not open the file.
int64_t countSamples(const std::wstring& path);

// The tag values to write; what is not set keeps the value the file has. A genre outside
// the list and a year of 0 remove the genre and the year.
struct TagChanges {
  std::optional<std::wstring> title, artist, album;
  std::optional<int> genre, year;
};

bool writeTags(const std::wstring& path, const TagChanges& changes);

}  // namespace audioinfo
