// Looking a disc up: a CDDB query (on-line, or in cdplayer.ini off-line) for the disc in an open
// drive, and the read of one match's entry text.
#pragma once

#include "CddbMatch.h"
#include "CddbHttp.h"
#include "DiscId.h"

#include <array>
#include <cstdint>

namespace cddb {

// A text buffer of this size takes any entry ReadCDDBEntry reads, from a server or from
// cdplayer.ini.
inline constexpr int kEntryTextSize = static_cast<int>(kReplyLimit) + 1;

// What a query asks about the disc: its identifier record and its cdplayer.ini key.
struct QueryDisc {
  std::array<std::int32_t, kDiscIdRecordSize> record{};
  std::uint32_t iniKey = 0;
};

// Fills the list with what the server (online non-zero) or cdplayer.ini (online 0) knows of the
// disc; the time-out in milliseconds becomes the setting for this and later requests.
// 1 after a query, however it went (no match leaves count 0); 4 with count 0 when there is no
// list, no open drive or no memory.
int QueryCDDB(int handle, CddbMatchList* list, int online, int timeout);

// The same query in two steps, so that a caller sharing the drive keeps it only for the first:
// the disc read from the open drive (false for a handle not open, and for a disc without audio:
// no table of contents read, or no audio track in it, which has nothing to look up), then the
// look-up, which uses no drive and may wait on the network for the time-out.
bool ReadQueryDisc(int handle, QueryDisc* disc);
int QueryCDDB(const QueryDisc& disc, CddbMatchList* list, int online, int timeout);

// The entry text of one match, from the server or, for a cdplayer.ini match, from the file.
// An on-line entry is stored in cdplayer.ini when the settings say so. 1, or 4 when there is no
// match, no text buffer, or no entry.
int ReadCDDBEntry(CddbMatch* match, char* text, int textSize);

// The same read in two steps, so that a caller can drop an entry that came too late: the entry
// text, stored nowhere, then the storing of an on-line entry in cdplayer.ini when the settings
// say so.
int FetchCDDBEntry(CddbMatch* match, char* text, int textSize);
void StoreCDDBEntry(const CddbMatch& match, const char* text);

}  // namespace cddb
