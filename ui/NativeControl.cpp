#include "NativeControl.h"

namespace ui {

TOwnerDrawState OwnerDrawState(UINT itemState) {
  TOwnerDrawState state = 0;
  if (itemState & ODS_SELECTED) state |= odSelected;
  if (itemState & ODS_GRAYED) state |= odGrayed;
  if (itemState & ODS_DISABLED) state |= odDisabled;
  if (itemState & ODS_CHECKED) state |= odChecked;
  if (itemState & ODS_FOCUS) state |= odFocused;
  if (itemState & ODS_DEFAULT) state |= odDefault;
  if (itemState & ODS_COMBOBOXEDIT) state |= odComboBoxEdit;
  return state;
}

TCustomDrawState CustomDrawState(UINT itemState) {
  TCustomDrawState state = 0;
  if (itemState & CDIS_SELECTED) state |= cdsSelected;
  if (itemState & CDIS_GRAYED) state |= cdsGrayed;
  if (itemState & CDIS_DISABLED) state |= cdsDisabled;
  if (itemState & CDIS_CHECKED) state |= cdsChecked;
  if (itemState & CDIS_FOCUS) state |= cdsFocused;
  if (itemState & CDIS_DEFAULT) state |= cdsDefault;
  if (itemState & CDIS_HOT) state |= cdsHot;
  if (itemState & CDIS_MARKED) state |= cdsMarked;
  if (itemState & CDIS_INDETERMINATE) state |= cdsIndeterminate;
  return state;
}

int FontLineHeight(const TFont& font) {
  com::window_dc screen = com::window_dc::client(nullptr);
  com::selection selected(screen.get(), font.Handle());
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen.get(), &metrics);
  return metrics.tmHeight;
}

void RedrawBracket::Begin() {
  if (depth_++ == 0 && control_.HandleAllocated()) SendMessageA(control_.Handle(), WM_SETREDRAW, FALSE, 0);
}

void RedrawBracket::End() {
  if (depth_ == 0 || --depth_ > 0 || !control_.HandleAllocated()) return;
  SendMessageA(control_.Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(control_.Handle(), nullptr, TRUE);
}

TNativeControl::TNativeControl(TComponent* AOwner) : TWinControl(AOwner), canvas_(*this) {
  SetTabStop(true);
}

void TNativeControl::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  RecreateWnd();
}

void TNativeControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  if (borderStyle_ == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TNativeControl::DestroyWnd() {
  canvas_.FreeHandle();
  TWinControl::DestroyWnd();
}

void TNativeControl::ChangeWindowStyle(DWORD bit, bool on) {
  if (!HandleAllocated()) return;
  LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
  style = on ? (style | bit) : (style & ~static_cast<LONG_PTR>(bit));
  SetWindowLongPtrA(Handle(), GWL_STYLE, style);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  Invalidate();
}

void TNativeControl::WndProc(TMessage& Message) {
  if (doubleBuffered_ && HandleAllocated()) {
    // The buffered paint covers every pixel, so erasing the screen first would only flicker.
    if (Message.Msg == WM_ERASEBKGND && reinterpret_cast<HDC>(Message.WParam) != nullptr &&
        WindowFromDC(reinterpret_cast<HDC>(Message.WParam)) == Handle()) {
      Message.Result = 1;
      return;
    }
    if (Message.Msg == WM_PAINT && Message.WParam == 0) return PaintBuffered();
  }
  TWinControl::WndProc(Message);
}

void TNativeControl::PaintBuffered() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Handle(), &ps);
  RECT client;
  GetClientRect(Handle(), &client);
  com::unique_dc memory(CreateCompatibleDC(dc));
  com::gdi_bitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
  if (memory && bitmap) {
    com::selection selected(memory.get(), bitmap.get());
    TMessage erase{WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.get()), 0, 0};
    TWinControl::WndProc(erase);
    TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(memory.get()), 0, 0};
    TWinControl::WndProc(paint);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
  } else {
    // Out of GDI memory: drawn straight on the screen rather than not at all.
    TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    TWinControl::WndProc(paint);
  }
  EndPaint(Handle(), &ps);
}

TNativeControl::CanvasOn::CanvasOn(TNativeControl& control, HDC dc) : control_(control), saved_(dc) {
  control_.canvas_.SetHandle(dc);
  control_.canvas_.Font().Assign(control_.Font());
  control_.canvas_.Brush().SetColor(control_.Color());
}

TNativeControl::CanvasOn::~CanvasOn() { control_.canvas_.SetHandle(nullptr); }

}  // namespace ui
