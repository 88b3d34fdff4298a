#include "KIVMenu.h"

#include "Canvas.h"
#include "Handles.h"
#include "Menus.h"

namespace kiv {

bool SetSystemMenuFont(ui::TFont& font) {
  LOGFONTA menuFont;
  if (!ui::SystemMenuFont(menuFont)) return false;
  font.SetLogFont(menuFont);
  font.SetColor(ui::clMenuText);
  return true;
}

void DrawFlatMenuFrame(HWND menuWindow, ui::TColor borderColor, ui::TColor formColor) {
  RECT r;
  if (!GetWindowRect(menuWindow, &r)) return;
  com::window_dc desktop = com::window_dc::client(GetDesktopWindow());
  if (!desktop) return;
  ui::TCanvas canvas(desktop.get());
  canvas.Brush().SetColor(borderColor);
  canvas.FrameRect({r.left, r.top + 1, r.right - 1, r.bottom - 1});
  canvas.Brush().SetColor(ui::clWhite);
  canvas.FrameRect({r.left + 1, r.top + 2, r.right - 2, r.bottom - 2});
  canvas.Pen().SetColor(formColor);
  canvas.MoveTo(r.left, r.bottom - 1);
  canvas.LineTo(r.right - 1, r.bottom - 1);
  canvas.LineTo(r.right - 1, r.top);
  canvas.LineTo(r.right, r.top);
  canvas.LineTo(r.left, r.top);
  canvas.SetHandle(nullptr);
}

}  // namespace kiv
