// Sizes in HIMETRIC (0.01 mm), as OLE keeps extents, and in screen pixels. Both directions
// round to the nearest unit, so a pixel size converted to HIMETRIC and back is unchanged.
//
//   SIZEL e = com::toHimetric(SIZE{250, 80});    SIZE p = com::toPixels(e);    // {250, 80}
#pragma once

#include <windows.h>

namespace com {

// Pixels per logical inch of the screen, across and down.
SIZE screenDpi() noexcept;

SIZEL toHimetric(SIZE pixels) noexcept;
SIZE toPixels(SIZEL himetric) noexcept;

}  // namespace com
