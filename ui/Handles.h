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

}  // namespace ui
