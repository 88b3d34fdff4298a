#include "WinControl.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "Application.h"
#include "ControlCanvas.h"
#include "Cursor.h"
#include "Form.h"
#include "Menus.h"
#include "MouseState.h"

namespace ui {

namespace {

const char kObjectProperty[] = "Talvo.ui.Control";

// The control whose window is being made: its first messages arrive before CreateWindowEx
// returns, and find their object through this.
TWinControl* g_creating = nullptr;
// Where the search for the next child window identifier starts.
UINT g_nextChildId = kFirstChildId;

struct WindowClass {
  std::string name;
  WNDPROC nativeProc = nullptr;
};

// Registers (once) the framework's class for the parameters: its own painted class per class
// style, or a class built on a native one whose procedure becomes the default handling.
const WindowClass& RegisterWindowClass(const TCreateParams& params, WNDPROC framework) {
  static std::map<std::pair<std::string, UINT>, WindowClass> classes;
  auto key = std::make_pair(params.NativeClass, params.ClassStyle);
  auto found = classes.find(key);
  if (found != classes.end()) return found->second;

  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  WindowClass result;
  if (params.NativeClass.empty()) {
    result.name = "Talvo.Window." + std::to_string(params.ClassStyle);
    wc.style = params.ClassStyle;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  } else {
    if (!GetClassInfoExA(nullptr, params.NativeClass.c_str(), &wc) &&
        !GetClassInfoExA(GetModuleHandleA("comctl32.dll"), params.NativeClass.c_str(), &wc))
      throw std::runtime_error("Window class " + params.NativeClass + " not found");
    result.name = "Talvo." + params.NativeClass;
    result.nativeProc = wc.lpfnWndProc;
    wc.cbSize = sizeof(wc);
    wc.style &= ~CS_GLOBALCLASS;
  }
  wc.lpfnWndProc = framework;
  wc.hInstance = instance;
  wc.lpszClassName = result.name.c_str();
  if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw std::runtime_error("Cannot register window class " + result.name);
  return classes.emplace(key, result).first->second;
}

}  // namespace

UINT TakeChildId(HWND parent, UINT& next) {
  // Fewer children than identifiers can live under one window, so a free one turns up.
  for (;;) {
    const UINT id = next;
    next = next >= kLastChildId ? kFirstChildId : next + 1;
    if (!parent || !GetDlgItem(parent, static_cast<int>(id))) return id;
  }
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
  brush_.SetColor(Color());
}

TWinControl::~TWinControl() {
  WindowProc = [this](TMessage& m) { TWinControl::WndProc(m); };
  if (Parent()) Parent()->RemoveControl(this);
  else DestroyWnd();
  for (TControl* child : controls_) {
    mouse_state::Forget(child);
    child->parent_ = nullptr;
  }
  controls_.clear();
  tabList_.clear();
}

TWinControl* TWinControl::FindControl(HWND wnd) {
  while (wnd) {
    if (auto* control = static_cast<TWinControl*>(GetPropA(wnd, kObjectProperty))) return control;
    // Up through parents only: a top-level window's GetParent is its owner, and a message box
    // owned by a form is not one of the form's controls (its keys are not the form's).
    if (!(GetWindowLongPtrA(wnd, GWL_STYLE) & WS_CHILD)) return nullptr;
    wnd = GetParent(wnd);
  }
  return nullptr;
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = static_cast<TWinControl*>(GetPropA(wnd, kObjectProperty));
  if (!control && g_creating) {
    control = std::exchange(g_creating, nullptr);
    control->Attach(wnd);
  }
  if (!control) return DefWindowProcA(wnd, msg, wParam, lParam);

  TMessage message{msg, wParam, lParam, 0};
  TMessageScope scope;
  try {
    control->WindowProc(message);
  } catch (const std::exception& e) {
    Application().HandleException(e);
  } catch (...) {
    Application().HandleException(std::runtime_error("Unknown error"));
  }
  if (msg == WM_NCDESTROY) control->Detach();
  return message.Result;
}

void TWinControl::Attach(HWND wnd) {
  handle_ = wnd;
  SetPropA(wnd, kObjectProperty, this);
}

void TWinControl::Detach() {
  if (!handle_) return;
  RemovePropA(handle_, kObjectProperty);
  handle_ = nullptr;
  trackingLeave_ = false;
}

HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  if (Parent()) Parent()->Handle();
  // Making the parent's window makes the children's too, this one among them.
  if (handle_) return;
  CreateWnd();
  if (!handle_) return;
  if (nativeProc_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
  CreateWindowHandle();
  for (TControl* child : std::vector<TControl*>(controls_))
    if (child->IsWindowed()) static_cast<TWinControl*>(child)->CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = TControl::GetText();
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (Visible()) Params.Style |= WS_VISIBLE;
  if (!Enabled()) Params.Style |= WS_DISABLED;
  if (tabStop_) Params.Style |= WS_TABSTOP;
  Params.X = Left();
  Params.Y = Top();
  Params.Width = Width();
  Params.Height = Height();
  Params.WndParent = Parent() ? Parent()->handle_ : nullptr;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  const WindowClass& windowClass = RegisterWindowClass(params, StaticWndProc);
  nativeProc_ = windowClass.nativeProc;
  HMENU id = nullptr;
  if (params.Style & WS_CHILD)
    id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(TakeChildId(params.WndParent, g_nextChildId)));
  g_creating = this;
  HWND wnd = CreateWindowExA(params.ExStyle, windowClass.name.c_str(), params.Caption.c_str(),
                             params.Style, params.X, params.Y, params.Width, params.Height,
                             params.WndParent, id, GetModuleHandleA(nullptr), nullptr);
  g_creating = nullptr;
  if (!wnd) throw std::runtime_error("Error creating window (" + std::to_string(GetLastError()) + ")");
  if (!handle_) Attach(wnd);
  if (params.Style & WS_CHILD) PlaceInZOrder();
}

void TWinControl::PlaceInZOrder() {
  // The system puts a new child window below its siblings; the control list keeps the front
  // last (BringToFront moves a control there). The window goes just below the nearest windowed
  // sibling in front of it, or on top, so a page brought forward before its window existed is
  // in front once it has one.
  if (!Parent()) return;
  const std::vector<TControl*>& siblings = Parent()->controls_;
  HWND above = HWND_TOP;
  for (auto it = std::find(siblings.begin(), siblings.end(), this); it != siblings.end(); ++it) {
    if (*it == this || !(*it)->IsWindowed()) continue;
    if (HWND sibling = static_cast<TWinControl*>(*it)->handle_) {
      above = sibling;
      break;
    }
  }
  SetWindowPos(handle_, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::DestroyWnd() {
  if (!handle_) return;
  // Children first, so each keeps what its window held (an edit's text) for the next window.
  for (TControl* child : controls_)
    if (child->IsWindowed()) static_cast<TWinControl*>(child)->DestroyWnd();
  TControl::SetTextNow(GetText());
  DestroyWindow(handle_);
  // A window destroyed while its object lives on must not keep the object's address.
  Detach();
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyWnd();
  CreateHandle();
}

std::string TWinControl::GetText() const {
  if (!handle_) return TControl::GetText();
  std::string text(GetWindowTextLengthA(handle_) + 1, '\0');
  text.resize(GetWindowTextA(handle_, text.data(), static_cast<int>(text.size())));
  return text;
}

void TWinControl::SetTextNow(const std::string& value) {
  TControl::SetTextNow(value);
  if (handle_) SetWindowTextA(handle_, value.c_str());
}

void TWinControl::SetParent(TWinControl* AParent) {
  if (AParent == Parent()) return;
  for (TWinControl* p = AParent; p; p = p->Parent())
    if (p == this) throw std::invalid_argument("A control cannot be its own parent");
  TControl::SetParent(AParent);
}

void TWinControl::InsertControl(TControl* control) {
  control->parent_ = this;
  controls_.push_back(control);
  if (control->IsWindowed()) tabList_.push_back(static_cast<TWinControl*>(control));
  control->Perform(CM_PARENTFONTCHANGED);
  control->Perform(CM_PARENTCOLORCHANGED);
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 1);
  if (control->IsWindowed() && handle_) static_cast<TWinControl*>(control)->CreateHandle();
  control->RequestAlign();
  control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
  mouse_state::Forget(control);
  if (control->IsWindowed()) {
    auto* windowed = static_cast<TWinControl*>(control);
    if (TForm* form = GetParentForm(this)) form->DefocusControl(windowed);
    windowed->DestroyWnd();
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), windowed), tabList_.end());
  } else {
    control->Invalidate();
  }
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  control->parent_ = nullptr;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 0);
  if (control->Align() != alNone) AlignControls();
}

TControl* TWinControl::ControlAtPos(POINT point, bool allowDisabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (c->IsWindowed() || !c->Visible() || (!allowDisabled && !c->Enabled())) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, point)) return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    c->WindowProc(Message);
    if (Message.Result != 0) return;
  }
}

RECT TWinControl::ClientRect() const {
  RECT r{0, 0, std::max(Width() - 2 * borderWidth_, 0), std::max(Height() - 2 * borderWidth_, 0)};
  if (handle_) GetClientRect(handle_, &r);
  return r;
}

void TWinControl::SetBorderWidth(int value) {
  value = std::max(value, 0);
  if (value == borderWidth_) return;
  borderWidth_ = value;
  if (handle_) {
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
  }
  AlignControls();
}

POINT TWinControl::ClientOrigin() const {
  if (!handle_) return TControl::ClientOrigin();
  POINT origin{0, 0};
  ::ClientToScreen(handle_, &origin);
  return origin;
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!CheckNewSize(AWidth, AHeight)) return;
  const bool sized = AWidth != Width() || AHeight != Height();
  if (!sized && ALeft == Left() && ATop == Top()) return;
  StoreBounds(ALeft, ATop, AWidth, AHeight);
  UpdateAnchorRules();
  if (handle_)
    SetWindowPos(handle_, nullptr, ALeft, ATop, Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  if (sized) {
    AlignControls();
    if (!IsLoading()) Resize();
  }
  RequestAlign();
}

void TWinControl::UpdateBounds() {
  if (!handle_) return;
  RECT r;
  GetWindowRect(handle_, &r);
  if (GetWindowLongPtrA(handle_, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
  const bool sized = r.right - r.left != Width() || r.bottom - r.top != Height();
  if (!sized && r.left == Left() && r.top == Top()) return;
  StoreBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (sized) {
    AlignControls();
    if (!IsLoading()) Resize();
  }
}

void TWinControl::AlignControls() {
  if (aligning_) return;
  aligning_ = true;
  RECT r = ClientRect();
  AdjustClientRect(r);
  for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> aligned;
    for (TControl* c : controls_)
      if (c->Align() == kind && c->Visible()) aligned.push_back(c);
    std::stable_sort(aligned.begin(), aligned.end(), [kind](TControl* a, TControl* b) {
      switch (kind) {
        case alTop: return a->Top() < b->Top();
        case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
        case alLeft: return a->Left() < b->Left();
        case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
        default: return false;
      }
    });
    for (TControl* c : aligned) {
      const int w = std::max<int>(r.right - r.left, 0);
      const int h = std::max<int>(r.bottom - r.top, 0);
      switch (kind) {
        case alTop:
          c->SetBounds(r.left, r.top, w, c->Height());
          r.top += c->Height();
          break;
        case alBottom:
          c->SetBounds(r.left, r.bottom - c->Height(), w, c->Height());
          r.bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(r.left, r.top, c->Width(), h);
          r.left += c->Width();
          break;
        case alRight:
          c->SetBounds(r.right - c->Width(), r.top, c->Width(), h);
          r.right -= c->Width();
          break;
        default:
          c->SetBounds(r.left, r.top, w, h);
          break;
      }
    }
  }
  for (TControl* c : std::vector<TControl*>(controls_)) c->ApplyAnchors();
  aligning_ = false;
}

void TWinControl::SetVisible(bool value) {
  if (value == Visible()) return;
  if (!value && handle_) {
    if (TForm* form = GetParentForm(this); form && form != this) form->DefocusControl(this);
  }
  TControl::SetVisible(value);
  if (handle_) ShowWindow(handle_, value ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::SetEnabled(bool value) {
  if (!value && handle_) {
    if (TForm* form = GetParentForm(this); form && form != this) form->DefocusControl(this);
  }
  TControl::SetEnabled(value);
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, (ControlStyle() & csOpaque) ? FALSE : TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::SetTabStop(bool value) {
  if (value == tabStop_) return;
  tabStop_ = value;
  if (handle_) {
    LONG_PTR style = GetWindowLongPtrA(handle_, GWL_STYLE);
    SetWindowLongPtrA(handle_, GWL_STYLE, value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int value) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (value < 0 || value > static_cast<int>(list.size())) value = static_cast<int>(list.size());
  list.insert(list.begin() + value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : tabList_) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::ShowControl(TControl*) {
  if (Parent()) Parent()->ShowControl(this);
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  TForm* form = GetParentForm(this);
  if (form && form != this) form->FocusControl(this);
  else ::SetFocus(Handle());
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (IsFrameworkMessage(Message.Msg)) {
    // A reflected notification nobody took gets the parent window's default answer.
    if (Message.Msg >= CN_BASE && Parent() && Parent()->handle_)
      Message.Result = DefWindowProcA(Parent()->handle_, Message.Msg - CN_BASE, Message.WParam,
                                      Message.LParam);
    return;
  }
  if (!handle_) return;
  Message.Result = nativeProc_
                       ? CallWindowProcA(nativeProc_, handle_, Message.Msg, Message.WParam, Message.LParam)
                       : DefWindowProcA(handle_, Message.Msg, Message.WParam, Message.LParam);
}

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: return WMPaint(Message);
    case WM_ERASEBKGND: return WMEraseBkgnd(Message);
    case WM_NCCALCSIZE: return WMNCCalcSize(Message);
    case WM_SETCURSOR: return WMSetCursor(Message);
    case WM_NCPAINT: return WMNCPaint(Message);
    case WM_SIZE:
    case WM_MOVE:
      DefaultHandler(Message);
      return UpdateBounds();
    case WM_SETFOCUS:
      DefaultHandler(Message);
      if (TForm* form = GetParentForm(this); form && form != this) form->FocusChanged(this);
      return DoEnter();
    case WM_KILLFOCUS:
      DefaultHandler(Message);
      return DoExit();
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(Message.WParam);
      const bool down = Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN;
      if (down) KeyDown(key, KeyboardShiftState());
      else KeyUp(key, KeyboardShiftState());
      if (key) DefaultHandler(Message);
      return;
    }
    case WM_CHAR: {
      char key = static_cast<char>(Message.WParam);
      KeyPress(key);
      if (!key) return;
      Message.WParam = static_cast<unsigned char>(key);
      return DefaultHandler(Message);
    }
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
      Message.Result = DialogKey(Message) ? 1 : 0;
      return;
    case CN_CHAR:
    case CN_SYSCHAR:
      Message.Result = DialogChar(Message) ? 1 : 0;
      return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
      return Broadcast(Message);
    case WM_COMMAND:
      if (Message.LParam) return Reflect(Message, reinterpret_cast<HWND>(Message.LParam));
      if (DispatchMenuMessage(Message)) return;
      return DefaultHandler(Message);
    case WM_NOTIFY:
      return Reflect(Message, reinterpret_cast<NMHDR*>(Message.LParam)->hwndFrom);
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      if (item->CtlType == ODT_MENU) {
        if (DispatchMenuMessage(Message)) return;
        return DefaultHandler(Message);
      }
      return Reflect(Message, item->hwndItem);
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
      if (item->CtlType == ODT_MENU && DispatchMenuMessage(Message)) return;
      if (item->CtlType == ODT_MENU || !handle_) return DefaultHandler(Message);
      return Reflect(Message, GetDlgItem(handle_, static_cast<int>(item->CtlID)));
    }
    case WM_DELETEITEM:
      return Reflect(Message, reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam)->hwndItem);
    case WM_COMPAREITEM:
      return Reflect(Message, reinterpret_cast<COMPAREITEMSTRUCT*>(Message.LParam)->hwndItem);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
      return Reflect(Message, reinterpret_cast<HWND>(Message.LParam));
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (Message.LParam) return Reflect(Message, reinterpret_cast<HWND>(Message.LParam));
      return DefaultHandler(Message);
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(Message.WParam);
      SetTextColor(dc, ColorToRGB(Font().Color()));
      SetBkColor(dc, ColorToRGB(Color()));
      Message.Result = reinterpret_cast<LRESULT>(brush_.Handle());
      return;
    }
    case WM_MOUSEMOVE:
      TrackMouse(Message);
      if (ForwardMouseToControl(Message)) return;
      return TControl::WndProc(Message);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
      if (ForwardMouseToControl(Message)) return;
      return TControl::WndProc(Message);
    case WM_MOUSELEAVE: {
      trackingLeave_ = false;
      TControl* current = mouse_state::Current();
      if (current == this || (current && current->Parent() == this && !current->IsWindowed()))
        mouse_state::SetCurrent(nullptr);
      return DefaultHandler(Message);
    }
    case WM_CAPTURECHANGED:
      if (TControl* captured = mouse_state::CaptureControl(); captured && captured->Parent() == this)
        mouse_state::SetCaptureControl(nullptr);
      return DefaultHandler(Message);
    case CM_COLORCHANGED: {
      brush_.SetColor(Color());
      Invalidate();
      TMessage notify{CM_PARENTCOLORCHANGED, 0, 0, 0};
      for (TControl* c : std::vector<TControl*>(controls_)) c->WindowProc(notify);
      return;
    }
    case CM_FONTCHANGED: {
      if (handle_ && nativeProc_)
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
      Invalidate();
      TMessage notify{CM_PARENTFONTCHANGED, 0, 0, 0};
      for (TControl* c : std::vector<TControl*>(controls_)) c->WindowProc(notify);
      return;
    }
    case CM_ENABLEDCHANGED:
      if (handle_) EnableWindow(handle_, Enabled());
      return Invalidate();
    case CM_RECREATEWND:
      return RecreateWnd();
    default:
      return TControl::WndProc(Message);
  }
}

void TWinControl::Reflect(TMessage& Message, HWND child) {
  auto* target = child ? static_cast<TWinControl*>(GetPropA(child, kObjectProperty)) : nullptr;
  if (!target || target == this) return DefaultHandler(Message);
  Message.Result = target->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
}

bool TWinControl::ForwardMouseToControl(TMessage& Message) {
  const POINT point = MousePoint(Message.LParam);
  TControl* target = nullptr;
  if (handle_ && GetCapture() == handle_) {
    TControl* captured = mouse_state::CaptureControl();
    if (captured && captured->Parent() == this) target = captured;
  } else {
    target = ControlAtPos(point);
  }
  if (!target) return false;
  TMessage forwarded = Message;
  forwarded.LParam = MakeMouseLParam(point.x - target->Left(), point.y - target->Top());
  target->WindowProc(forwarded);
  Message.Result = forwarded.Result;
  return true;
}

void TWinControl::TrackMouse(TMessage& Message) {
  if (!handle_) return;
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, handle_, 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  }
  const POINT point = MousePoint(Message.LParam);
  RECT client;
  GetClientRect(handle_, &client);
  TControl* target = nullptr;
  if (PtInRect(&client, point)) {
    target = ControlAtPos(point);
    if (!target) target = this;
  } else {
    // Held by the capture, the mouse is really over whatever lies under it.
    POINT screen = point;
    ::ClientToScreen(handle_, &screen);
    TWinControl* under = FindControl(WindowFromPoint(screen));
    target = under;
    if (under && under->handle_) {
      POINT local = screen;
      ::ScreenToClient(under->handle_, &local);
      if (TControl* painted = under->ControlAtPos(local)) target = painted;
    }
  }
  mouse_state::SetCurrent(target);
}

bool TWinControl::DialogKey(const TMessage& Message) {
  const WORD key = static_cast<WORD>(Message.WParam);
  UINT wanted = 0;
  switch (key) {
    case VK_TAB: wanted = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: wanted = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: wanted = DLGC_WANTALLKEYS; break;
    case VK_PRIOR:
    case VK_NEXT:
      // Ctrl+PageUp and Ctrl+PageDown turn the pages of a dialog.
      if ((KeyboardShiftState() & (ssCtrl | ssAlt)) != ssCtrl) return false;
      wanted = DLGC_WANTALLKEYS;
      break;
    default: return false;
  }
  const LRESULT code = handle_ ? SendMessageA(handle_, WM_GETDLGCODE, key, 0) : 0;
  if (code & (wanted | DLGC_WANTALLKEYS)) return false;
  // The focused push button is the default button while it has the focus: Enter presses it
  // as Space does, not the button marked default.
  if (key == VK_RETURN && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) return false;
  TForm* form = GetParentForm(this);
  return form && form->Perform(CM_DIALOGKEY, key, Message.LParam) != 0;
}

bool TWinControl::DialogChar(TMessage& Message) {
  if (static_cast<unsigned char>(Message.WParam) < ' ') return false;
  if (Message.Msg == CN_CHAR) {
    const LRESULT code = handle_ ? SendMessageA(handle_, WM_GETDLGCODE, 0, 0) : 0;
    if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) return false;
  }
  TForm* form = GetParentForm(this);
  return form && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0;
}

void TWinControl::WMPaint(TMessage& Message) {
  const bool hasPainted = std::any_of(controls_.begin(), controls_.end(),
                                      [](TControl* c) { return !c->IsWindowed(); });
  if (nativeProc_ && !hasPainted) return DefaultHandler(Message);
  if (Message.WParam) return PaintHandler(reinterpret_cast<HDC>(Message.WParam));
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(handle_, &ps);
  PaintHandler(dc);
  EndPaint(handle_, &ps);
}

void TWinControl::PaintHandler(HDC dc) {
  PaintWindow(dc);
  PaintControls(dc);
}

void TWinControl::PaintWindow(HDC dc) {
  // Only a native window has painting of its own to do here.
  if (!nativeProc_) return;
  TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(paint);
}

void TWinControl::PaintUnder(HDC dc, const TControl& control) {
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  PaintWindow(dc);
  PaintControls(dc, &control);
}

void TWinControl::PaintControls(HDC dc, const TControl* limit) {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    if (c == limit) return;
    if (c->IsWindowed() || !c->Visible() || c->Width() <= 0 || c->Height() <= 0) continue;
    RECT r = c->BoundsRect();
    if (!RectVisible(dc, &r)) continue;
    com::saved_dc_state saved(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + c->Left(), origin.y + c->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  if (nativeProc_) return DefaultHandler(Message);
  RECT r = ClientRect();
  ::FillRect(reinterpret_cast<HDC>(Message.WParam), &r, brush_.Handle());
  Message.Result = 1;
}

void TWinControl::WMSetCursor(TMessage& Message) {
  // Only the window the pointer is over decides, and only over its client area; a parent
  // asked on behalf of its child leaves it to the system (the child's class cursor).
  if (reinterpret_cast<HWND>(Message.WParam) == handle_ && LOWORD(Message.LParam) == HTCLIENT) {
    POINT point;
    GetCursorPos(&point);
    ::ScreenToClient(handle_, &point);
    TControl* under = ControlAtPos(point);
    const TCursor cursor = under && under->Cursor() != crDefault ? under->Cursor() : Cursor();
    if (cursor != crDefault) {
      ::SetCursor(CursorHandle(cursor));
      Message.Result = TRUE;
      return;
    }
  }
  DefaultHandler(Message);
}

void TWinControl::WMNCCalcSize(TMessage& Message) {
  DefaultHandler(Message);
  if (borderWidth_ == 0) return;
  // Both forms of the message carry the proposed client rectangle first.
  RECT& client = Message.WParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                : *reinterpret_cast<RECT*>(Message.LParam);
  const int dx = std::min<int>(borderWidth_, (client.right - client.left) / 2);
  const int dy = std::min<int>(borderWidth_, (client.bottom - client.top) / 2);
  InflateRect(&client, -dx, -dy);
}

void TWinControl::WMNCPaint(TMessage& Message) {
  DefaultHandler(Message);
  if (borderWidth_ == 0 || !handle_) return;
  com::window_dc dc = com::window_dc::whole(handle_);
  if (!dc) return;
  RECT window, client;
  GetWindowRect(handle_, &window);
  GetClientRect(handle_, &client);
  MapWindowPoints(handle_, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -window.left, -window.top);
  RECT margin = client;
  InflateRect(&margin, borderWidth_, borderWidth_);
  ExcludeClipRect(dc.get(), client.left, client.top, client.right, client.bottom);
  ::FillRect(dc.get(), &margin, brush_.Handle());
}

}  // namespace ui
