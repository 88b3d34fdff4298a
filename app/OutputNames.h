// The output file names of ripped tracks by the ten naming schemes, with the artist and album
// folders those schemes create under the output folder.
#pragma once

#include <string>

#include "SharedState.h"

namespace app {

// The number of naming schemes; any other value names the file by its title alone.
inline constexpr int kNamingSchemes = 10;

// The name of the 1-based track under outputFolder, without the folder and the extension:
//  0 Title                 5 Artist Album Title
//  1 Number Title          6 Artist \ Title
//  2 Number Artist Title   7 Artist \ Number Title
//  3 Number Artist Album Title   8 Artist \ Album \ Title
//  4 Artist Title          9 Artist \ Album \ Number Title
// The parts are joined with nothing between them; Number has no leading zeros. Each name
// taken from the lists is made safe (SafeFileNames.h) and the whole path kept within the
// system's limit. Schemes 6-9 create the artist folder and then (8, 9) the album folder under
// outputFolder, one level at a time, when they do not exist; a failure there shows when the
// file is created.
std::string BuildOutputName(int scheme, int track, const TrackLists& lists, const std::string& outputFolder);

}  // namespace app
