#include "outside/ZEVAudioInformation/Genres.h"

#include <taglib/id3v1genres.h>

namespace audioinfo {

std::wstring genreName(int index) {
  if (index < 0 || index >= kGenreCount) return {};
  return TagLib::ID3v1::genre(index).toWString();
}

int genreIndex(const std::wstring& name) {
  for (int i = 0; i < kGenreCount; ++i)
    if (TagLib::ID3v1::genre(i).upper() == TagLib::String(name).upper()) return i;
  return -1;
}

}  // namespace audioinfo
