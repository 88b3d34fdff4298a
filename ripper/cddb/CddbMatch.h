// One disc a CDDB query found, and the caller-owned list the query fills.
#pragma once

#include <cstdint>

namespace cddb {

struct CddbMatch {
  char category[12];  // at most 11 characters
  char discId[12];    // at most 8 hexadecimal digits
  std::int32_t exact; // 1: the only match, or a cdplayer.ini match; 0: one of several
  char artist[81];
  char title[81];
};

struct CddbMatchList {
  std::int32_t count;  // on entry the room of `matches`, on return the number found
  CddbMatch* matches;  // supplied zeroed by the caller
};

}  // namespace cddb
