#include "ParentImage.h"

#include "Handles.h"
#include "WinControl.h"

namespace ui {

void DrawParentImage(TControl& control, HDC dc) {
  TWinControl* parent = control.Parent();
  if (!parent || !dc) return;
  const POINT at = control.ClientOrigin();
  const POINT parentAt = parent->ClientOrigin();
  com::saved_dc_state saved(dc);
  POINT origin;
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x - (at.x - parentAt.x), origin.y - (at.y - parentAt.y), nullptr);
  const RECT client = parent->ClientRect();
  IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  parent->PaintUnder(dc, control);
}

}  // namespace ui
