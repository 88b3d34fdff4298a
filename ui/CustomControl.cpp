#include "CustomControl.h"

namespace ui {

void TCustomControl::PaintWindow(HDC dc) {
  canvas_.SetHandle(dc);
  // The canvas keeps the control's font for whatever Paint writes.
  canvas_.Font().Assign(Font());
  Paint();
  canvas_.SetHandle(nullptr);
}

void TCustomControl::DestroyWnd() {
  canvas_.FreeHandle();
  TWinControl::DestroyWnd();
}

void TGraphicControl::WndProc(TMessage& Message) {
  if (Message.Msg != WM_PAINT) return TControl::WndProc(Message);
  canvas_.SetHandle(reinterpret_cast<HDC>(Message.WParam));
  canvas_.Font().Assign(Font());
  Paint();
  canvas_.SetHandle(nullptr);
}

}  // namespace ui
