#include "Control.h"

#include <algorithm>

#include "Application.h"
#include "Form.h"
#include "MouseState.h"
#include "WinControl.h"

namespace ui {

TShiftState KeyboardShiftState() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

TShiftState MouseShiftState(WPARAM wParam) {
  TShiftState shift = 0;
  if (wParam & MK_SHIFT) shift |= ssShift;
  if (wParam & MK_CONTROL) shift |= ssCtrl;
  if (wParam & MK_LBUTTON) shift |= ssLeft;
  if (wParam & MK_RBUTTON) shift |= ssRight;
  if (wParam & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

bool IsAccel(char key, const std::string& caption) {
  auto upper = [](char c) {
    char text[2] = {c, 0};
    CharUpperBuffA(text, 1);
    return text[0];
  };
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {  // "&&" is a plain ampersand
      ++i;
      continue;
    }
    return upper(caption[i + 1]) == upper(key);
  }
  return false;
}

TForm* GetParentForm(const TControl* control) {
  if (!control) return nullptr;
  while (control->Parent()) control = control->Parent();
  return dynamic_cast<TForm*>(const_cast<TControl*>(control));
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  font_.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
  // Messages still arriving while the rest is torn down get the plain handling.
  WindowProc = [this](TMessage& m) { TControl::WndProc(m); };
  mouse_state::Forget(this);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == parent_) return;
  if (AParent == this) return;
  if (parent_) parent_->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
  UpdateAnchorRules();
}

void TControl::SetAnchors(TAnchors value) {
  if (value == anchors_) return;
  anchors_ = value;
  UpdateAnchorRules();
}

void TControl::Loaded() {
  TComponent::Loaded();
  // The parent has its final size now.
  UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  if (anchoring_ || IsLoading() || !parent_) return;
  anchorBounds_ = BoundsRect();
  const RECT client = parent_->ClientRect();
  anchorParent_ = {client.right - client.left, client.bottom - client.top};
}

void TControl::ApplyAnchors() {
  if (align_ != alNone || anchors_ == (akLeft | akTop) || !parent_ || IsLoading()) return;
  const RECT client = parent_->ClientRect();
  const SIZE size{client.right - client.left, client.bottom - client.top};
  // A parent that had no size when the rules were taken gives them now.
  if (anchorParent_.cx <= 0 || anchorParent_.cy <= 0) return UpdateAnchorRules();
  // One axis: the near edge and the extent for the parent's growth by delta.
  auto place = [](int nearEdge, int extent, int delta, bool nearAnchor, bool farAnchor, int& outNear, int& outExtent) {
    outNear = nearEdge;
    outExtent = extent;
    if (farAnchor && nearAnchor) outExtent = std::max(extent + delta, 0);
    else if (farAnchor) outNear = nearEdge + delta;
    else if (!nearAnchor) outNear = nearEdge + delta / 2;
  };
  const RECT& r = anchorBounds_;
  int left, width, top, height;
  place(r.left, r.right - r.left, size.cx - anchorParent_.cx, anchors_ & akLeft, anchors_ & akRight, left, width);
  place(r.top, r.bottom - r.top, size.cy - anchorParent_.cy, anchors_ & akTop, anchors_ & akBottom, top, height);
  anchoring_ = true;
  SetBounds(left, top, width, height);
  anchoring_ = false;
}

void TControl::SetCursor(TCursor value) {
  if (value == cursor_) return;
  cursor_ = value;
  Perform(CM_CURSORCHANGED);
}

bool TControl::ShowHint() const {
  return parentShowHint_ && parent_ ? parent_->ShowHint() : showHint_;
}

void TControl::SetShowHint(bool value) {
  showHint_ = value;
  parentShowHint_ = false;
}

bool TControl::CheckNewSize(int& NewWidth, int& NewHeight) {
  if (!CanResize(NewWidth, NewHeight)) return false;
  const TSizeConstraints& c = constraints_;
  if (c.MaxWidth > 0 && NewWidth > c.MaxWidth) NewWidth = c.MaxWidth;
  if (c.MinWidth > 0 && NewWidth < c.MinWidth) NewWidth = c.MinWidth;
  if (c.MaxHeight > 0 && NewHeight > c.MaxHeight) NewHeight = c.MaxHeight;
  if (c.MinHeight > 0 && NewHeight < c.MinHeight) NewHeight = c.MinHeight;
  return true;
}

void TControl::StoreBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  left_ = ALeft;
  top_ = ATop;
  width_ = std::max(AWidth, 0);
  height_ = std::max(AHeight, 0);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!CheckNewSize(AWidth, AHeight)) return;
  const bool sized = AWidth != width_ || AHeight != height_;
  if (!sized && ALeft == left_ && ATop == top_) return;
  Invalidate();
  StoreBounds(ALeft, ATop, AWidth, AHeight);
  UpdateAnchorRules();
  Invalidate();
  RequestAlign();
  if (sized && !IsLoading()) Resize();
}

void TControl::SetConstraints(const TSizeConstraints& constraints) {
  constraints_ = constraints;
  SetBounds(left_, top_, width_, height_);
}

RECT TControl::ClientRect() const { return {0, 0, width_, height_}; }

void TControl::SetClientSize(int width, int height) { SetBounds(left_, top_, width, height); }

POINT TControl::ClientOrigin() const {
  POINT origin{left_, top_};
  if (parent_) {
    POINT parentOrigin = parent_->ClientOrigin();
    origin.x += parentOrigin.x;
    origin.y += parentOrigin.y;
  }
  return origin;
}

POINT TControl::ClientToScreen(POINT point) const {
  POINT origin = ClientOrigin();
  return {point.x + origin.x, point.y + origin.y};
}

POINT TControl::ScreenToClient(POINT point) const {
  POINT origin = ClientOrigin();
  return {point.x - origin.x, point.y - origin.y};
}

void TControl::SetAlign(TAlign value) {
  if (value == align_) return;
  align_ = value;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (parent_ && align_ != alNone) parent_->AlignControls();
}

void TControl::SetVisible(bool value) {
  if (value == visible_) return;
  if (!value) Invalidate();
  visible_ = value;
  if (value) Invalidate();
  else mouse_state::Forget(this);
  Perform(CM_VISIBLECHANGED, value);
  RequestAlign();
}

bool TControl::Showing() const { return visible_ && (!parent_ || parent_->Showing()); }

void TControl::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor value) {
  parentColor_ = false;
  if (value == color_) return;
  color_ = value;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  parentColor_ = value;
  if (value) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool value) {
  parentFont_ = value;
  if (value) Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged() {
  parentFont_ = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetText(const std::string& value) {
  if (value == GetText()) return;
  SetTextNow(value);
  Perform(CM_TEXTCHANGED);
}

void TControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated() || !visible_) return;
  RECT r = BoundsRect();
  InvalidateRect(parent_->handle_, &r, (controlStyle_ & csOpaque) ? FALSE : TRUE);
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::BringToFront() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::find(list.begin(), list.end(), this));
  list.push_back(this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

bool TControl::MouseCapture() const {
  if (auto* w = dynamic_cast<const TWinControl*>(this))
    return w->HandleAllocated() && GetCapture() == w->handle_;
  return mouse_state::CaptureControl() == this;
}

void TControl::SetMouseCapture(bool value) {
  if (value == MouseCapture()) return;
  if (!value) {
    mouse_state::SetCaptureControl(nullptr);
    ReleaseCapture();
    return;
  }
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    SetCapture(w->Handle());
  } else if (parent_) {
    // A control without a window captures through its parent, which forwards to it.
    SetCapture(parent_->Handle());
    mouse_state::SetCaptureControl(this);
  }
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  WindowProc(message);
  return message.Result;
}

void TControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: return WMMouseButton(Message, mbLeft, true, false);
    case WM_LBUTTONDBLCLK: return WMMouseButton(Message, mbLeft, true, true);
    case WM_LBUTTONUP: return WMMouseButton(Message, mbLeft, false, false);
    case WM_RBUTTONDOWN: return WMMouseButton(Message, mbRight, true, false);
    case WM_RBUTTONDBLCLK: return WMMouseButton(Message, mbRight, true, true);
    case WM_RBUTTONUP: return WMMouseButton(Message, mbRight, false, false);
    case WM_MBUTTONDOWN: return WMMouseButton(Message, mbMiddle, true, false);
    case WM_MBUTTONDBLCLK: return WMMouseButton(Message, mbMiddle, true, true);
    case WM_MBUTTONUP: return WMMouseButton(Message, mbMiddle, false, false);
    case WM_MOUSEMOVE: {
      DefaultHandler(Message);
      POINT p = MousePoint(Message.LParam);
      return MouseMove(MouseShiftState(Message.WParam), p.x, p.y);
    }
    case CM_MOUSEENTER:
      Application().ActivateHint(this);
      return MouseEnter();
    case CM_MOUSELEAVE:
      Application().CancelHint();
      return MouseLeave();
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      return Invalidate();
    case CM_PARENTCOLORCHANGED:
      if (parentColor_ && parent_ && parent_->color_ != color_) {
        color_ = parent_->color_;
        Perform(CM_COLORCHANGED);
      }
      return;
    case CM_PARENTFONTCHANGED:
      if (parentFont_ && parent_ && !(parent_->font_ == font_)) {
        font_.Assign(parent_->font_);
        parentFont_ = true;  // taking the parent's font is not a font of its own
      }
      return;
    default:
      return DefaultHandler(Message);
  }
}

void TControl::DefaultHandler(TMessage& Message) { (void)Message; }

void TControl::WMMouseButton(TMessage& Message, TMouseButton Button, bool down, bool doubleClick) {
  DefaultHandler(Message);
  const POINT p = MousePoint(Message.LParam);
  TShiftState shift = MouseShiftState(Message.WParam);
  if (!down) {
    if (Button == mbLeft) {
      if (controlStyle_ & csCaptureMouse) SetMouseCapture(false);
      if (clicked_) {
        clicked_ = false;
        RECT client = ClientRect();
        if (PtInRect(&client, p)) Click();
      }
    }
    return MouseUp(Button, shift, p.x, p.y);
  }
  // Without csDoubleClicks the second press of a double click is an ordinary press.
  if (doubleClick && !(controlStyle_ & csDoubleClicks)) doubleClick = false;
  Application().CancelHint();
  if (Button == mbLeft) {
    if (controlStyle_ & csCaptureMouse) SetMouseCapture(true);
    if (!doubleClick && (controlStyle_ & csClickEvents)) clicked_ = true;
  }
  if (doubleClick) {
    shift |= ssDouble;
    if (Button == mbLeft) DblClick();
  }
  MouseDown(Button, shift, p.x, p.y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

bool TControl::CanResize(int& NewWidth, int& NewHeight) {
  bool resize = true;
  if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, resize);
  return resize;
}

}  // namespace ui
