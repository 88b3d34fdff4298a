// Reading CDDB answers. Everything here comes from the network: no line, field or reply may
// write past its buffer or read past the reply's terminating zero, whatever it holds.
#pragma once

#include "CddbMatch.h"

namespace cddb {

// Past the HTTP headers when the reply has them; an answer without headers starts at once.
const char* SkipHTTPHeader(const char* reply);

// Copies the next CR LF-terminated line (at most lineSize - 2 characters of it, zero-terminated)
// and moves the cursor past its CR LF. With no CR LF left the cursor goes to the end and the
// line stays empty. No cursor text or no line buffer: nothing happens.
void GetReplyLine(const char** cursor, char* line, int lineSize);

// "category discid artist / title" -> 1 with the fields filled, 0 when the line does not parse.
int ParseCDDBMatch(CddbMatch* match, const char* line);

// Fills the list from a query answer (200: one exact match, 211: several, anything else: none)
// and returns the number of matches, which is also left in list->count.
int ParseCDDBQueryReply(const char* reply, CddbMatchList* list);

}  // namespace cddb
