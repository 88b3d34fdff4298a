// The title store of Windows CD players: cdplayer.ini in the Windows folder, one section per
// disc named by its ini key in upper-case hexadecimal. Reached only through the profile
// functions; whatever the file holds is untrusted and cut to the buffers it is read into.
#pragma once

#include "CddbMatch.h"

namespace cddb {

// The section's NUMTRACKS value; 0 (or less) means there is no entry.
int HasIniEntry(const char* section);

// Builds a CDDB-like entry text (a DTITLE line and one TTITLE line per track, no closing ".")
// from the section the match's identifier names, and fills the match's artist, title, category
// and exact flag. 1, or 4 when the section has no tracks.
int ReadIniEntry(CddbMatch* match, char* text, int textSize);

// Stores a CDDB entry text under the section of the disc the match's identifier was asked for;
// nothing is written when the identifier is not among the recent queries.
void WriteIniEntry(const CddbMatch* match, const char* text);

}  // namespace cddb
