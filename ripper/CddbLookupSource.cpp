#include "ripper/CddbLookupSource.h"

#include "ZEVDiscRipper.h"

CddbLookupPlan PlanCddbLookup(long source) {
    switch (source) {
    case ALL:
        return {"from any availabel", 2, {0, 1}};
    case ONLINEDATABASE:
        return {"from on-line database", 1, {1, 0}};
    case CDPLAYERINI:
        return {"from cdplayer.ini", 1, {0, 0}};
    default:
        return {"from <default>", 1, {0, 0}};
    }
}
