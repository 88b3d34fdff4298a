// Reading CDDB answers. Everything here comes from the network: no line, field or reply may
// write past its buffer or read past the reply's terminating zero, whatever it holds.
#pragma once

#include "CddbMatch.h"

#include <string>

namespace cddb {

// Past the HTTP headers when the reply has them; an answer without headers starts at once.
const char* SkipHTTPHeader(const char* reply);

// Copies the next CR LF-terminated line (at most lineSize - 2 characters of it, zero-terminated)
// and moves the cursor past its CR LF. With no CR LF left the cursor goes to the end and the
// line stays empty. No cursor text or no line buffer: nothing happens.
void GetReplyLine(const char** cursor, char* line, int lineSize);

// "category discid artist / title" -> 1 with the fields filled (a disc title with no slash names
// the artist and the title alike), 0 when the category or the identifier does not parse.
int ParseCDDBMatch(CddbMatch* match, const char* line);

// Fills the list from a query answer (200: one exact match, 211: several, anything else: none)
// and returns the number of matches, which is also left in list->count. A 211 list that does
// not end in its "." line was cut short and gives none.
int ParseCDDBQueryReply(const char* reply, CddbMatchList* list);

// Where the terminating "." line of a list or entry that starts at `text` begins, or null when
// it has none: the answer was cut (by the server, the connection or the reply buffer).
const char* FindTerminatingLine(const char* text);

// A "TTITLEn=text" line of an entry: n is the whole run of digits between "TTITLE" and the
// '=', read as the track index (values too large to be one give kNoTitleIndex). False for any
// other line, so "TTITLE12 =x" or "TTITLE]x[=y" name no track.
constexpr int kNoTitleIndex = 1000;
bool ParseTitleLine(const char* line, int* index, const char** text);

// Makes a blank of every control character (line breaks among them): text a server sends must
// not start lines or sections of its own in cdplayer.ini, or in a title.
void BlankControlCharacters(char* text);
void BlankControlCharacters(std::string& text);

}  // namespace cddb
