// The window framework's handle owners: the project's one owner (com/Handles.h, com/Gdi.h) with
// the kinds only the framework uses, and GDI objects shared between their maker and canvases.
#pragma once

#include "Win32.h"

#include <memory>

#include "com/Gdi.h"
#include "com/Handles.h"

namespace ui {

using UniqueImageList = com::unique_any<HIMAGELIST, ImageList_Destroy>;

// A GDI object shared by its maker and the canvases that have it selected: replacing it in the
// maker never deletes it from under a device context that still uses it.
using SharedGdiObject = std::shared_ptr<void>;
inline SharedGdiObject ShareGdiObject(HGDIOBJ object) {
  return object ? SharedGdiObject(object, [](void* o) { ::DeleteObject(o); }) : nullptr;
}

// The names these owners had before they moved to the COM kit, until every folder uses the
// kit's names.
using UniqueBitmap = com::gdi_bitmap;
using UniqueBrush = com::gdi_brush;
using UniquePen = com::gdi_pen;
using UniqueFont = com::gdi_font;
using UniqueRegion = com::gdi_region;
using UniqueMemoryDc = com::unique_dc;
using UniqueDc = com::unique_dc;
using UniqueIcon = com::unique_icon;
using UniqueWindow = com::unique_window;
using WindowDc = com::window_dc;
using SavedDcState = com::saved_dc_state;
using SelectedObject = com::selection;
template <typename T, auto Close, std::intptr_t Invalid = 0>
using UniqueAny = com::unique_any<T, Close, Invalid>;

}  // namespace ui
