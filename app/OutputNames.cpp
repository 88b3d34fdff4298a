#include "OutputNames.h"

#include <windows.h>

#include <vector>

#include "SafeFileNames.h"

namespace app {

namespace {

std::string EntryOf(const std::vector<std::string>& list, int track) {
  return track >= 1 && static_cast<std::size_t>(track) <= list.size() ? list[static_cast<std::size_t>(track) - 1]
                                                                      : std::string();
}

void CreateFolderIfMissing(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  CreateDirectoryA(path.c_str(), nullptr);
}

}  // namespace

std::string BuildOutputName(int scheme, int track, const TrackLists& lists, const std::string& outputFolder) {
  const std::string artist = EntryOf(lists.TrackArtists, track);
  const std::string album = EntryOf(lists.TrackAlbums, track);
  const std::string title = EntryOf(lists.TrackTitles, track);
  const std::string number = std::to_string(track);

  std::vector<std::string> parts;
  switch (scheme) {
    case 1: parts = {number + title}; break;
    case 2: parts = {number + artist + title}; break;
    case 3: parts = {number + artist + album + title}; break;
    case 4: parts = {artist + title}; break;
    case 5: parts = {artist + album + title}; break;
    case 6: parts = {artist, title}; break;
    case 7: parts = {artist, number + title}; break;
    case 8: parts = {artist, album, title}; break;
    case 9: parts = {artist, album, number + title}; break;
    default: parts = {title}; break;
  }
  for (auto& part : parts) part = SafeNameComponent(part);
  const std::string name = FitPath(outputFolder, parts, PathLimit());

  // The folders are the name's leading components, created outermost first.
  for (auto end = name.find('\\'); end != std::string::npos; end = name.find('\\', end + 1))
    CreateFolderIfMissing(outputFolder + name.substr(0, end));
  return name;
}

}  // namespace app
