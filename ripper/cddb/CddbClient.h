// Looking a disc up: a CDDB query (on-line, or in cdplayer.ini off-line) for the disc in an open
// drive, and the read of one match's entry text.
#pragma once

#include "CddbMatch.h"

namespace cddb {

// Fills the list with what the server (online non-zero) or cdplayer.ini (online 0) knows of the
// disc; the time-out in milliseconds becomes the setting for this and later requests.
// 1 after a query, however it went (no match leaves count 0); 4 with count 0 when there is no
// list, no open drive or no memory.
int QueryCDDB(int handle, CddbMatchList* list, int online, int timeout);

// The entry text of one match, from the server or, for a cdplayer.ini match, from the file.
// An on-line entry is stored in cdplayer.ini when the settings say so. 1, or 4 when there is no
// match, no text buffer, or no entry.
int ReadCDDBEntry(CddbMatch* match, char* text, int textSize);

}  // namespace cddb
