// Where GetCDDBInfo looks for the disc, by its CDDBSourceConstants argument: ALL asks
// cdplayer.ini first and the on-line database only when that finds nothing.
#pragma once

#include <array>

struct CddbLookupPlan {
    const char* logText;
    int passes;                // 1 or 2
    std::array<int, 2> online;  // the query's on-line flag on each pass
};

CddbLookupPlan PlanCddbLookup(long source);
