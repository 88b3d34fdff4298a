// The tags of a ripped track: its title, artist, album, genre and year from the per-track lists,
// written through the tag component into the file its rip wrote.
#pragma once

#include <string>

#include "SharedState.h"

struct IAudioInformation;

namespace app {

// Opens path, sets the five values of the 1-based track and saves them into the same file. A
// year that is not a decimal number is left unset. False when the file did not open, the
// track has no entries (the lists were read anew) or the tags were not saved.
bool WriteTrackTags(IAudioInformation& tags, const std::string& path, const TrackLists& lists, int track);

}  // namespace app
