#include "SharedState.h"

namespace app {

std::string WithOneTrailingBackslash(const std::string& folder) {
  const auto last = folder.find_last_not_of("\\/");
  if (last == std::string::npos) return folder.empty() ? folder : std::string("\\");
  return folder.substr(0, last + 1) + "\\";
}

void TrackLists::Clear() {
  for (auto* list : {&TrackDurations, &TrackAlbums, &TrackArtists, &TrackTitles, &TrackYears, &TrackGenres})
    list->clear();
}

}  // namespace app
