// Links the CDDB identifiers of recent queries to the cdplayer.ini key and track count of the
// disc they were asked for, so an on-line result can later be stored under the right section.
// The last 20 identifiers are kept; older ones are overwritten in turn.
#pragma once

#include <cstdint>

namespace cddb {

// An identifier's hexadecimal text as a number, read the same way wherever ids are compared.
std::uint32_t DiscIdOfText(const char* idText);

void RememberDiscId(std::uint32_t key, std::uint32_t id, int tracks);

// idText is read as hexadecimal; the lowest slot holding that identifier answers (not the most
// recent one). False when no slot holds it.
bool FindDiscId(const char* idText, std::uint32_t* key, int* tracks);

}  // namespace cddb
