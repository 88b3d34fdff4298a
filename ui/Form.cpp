#include "Form.h"

#include <algorithm>
#include <stdexcept>

#include "Application.h"
#include "Menus.h"
#include "ThreadWindows.h"

namespace ui {

namespace {

// A control that becomes the active control is brought into view (its page to the front).
void ShowInParent(TWinControl* control) {
  if (control && control->Parent()) control->Parent()->ShowControl(control);
}

// Selects the whole text of a single-line edit box, as the system's dialogs do when the
// keyboard moves the focus to one.
void SelectWholeText(HWND wnd) {
  if (!(SendMessageA(wnd, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)) return;
  if (GetWindowLongA(wnd, GWL_STYLE) & ES_MULTILINE) return;
  SendMessageA(wnd, EM_SETSEL, 0, -1);
}

}  // namespace

TForm::TForm(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  TWinControl::SetVisible(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
}

TForm::~TForm() {
  if (Application().MainForm() == this) Application().SetMainForm(nullptr);
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  RecreateWnd();
}

TWindowState TForm::WindowState() const {
  if (!HandleAllocated() || !Visible()) return windowState_;
  HWND wnd = const_cast<TForm*>(this)->Handle();
  if (IsIconic(wnd)) return wsMinimized;
  if (IsZoomed(wnd)) return wsMaximized;
  return wsNormal;
}

void TForm::SetWindowState(TWindowState value) {
  windowState_ = value;
  if (!HandleAllocated() || !Visible()) return;
  static constexpr int kCommands[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
  ShowWindow(Handle(), kCommands[value]);
}

void TForm::SetMenu(TMainMenu* value) {
  if (value == menu_) return;
  if (menu_) {
    menu_->window_ = nullptr;
    if (HandleAllocated()) ::SetMenu(Handle(), nullptr);
  }
  ReferTo(menu_, value);
  if (menu_ && HandleAllocated()) CreateWindowHandle();
}

void TForm::CreateWindowHandle() {
  TCustomControl::CreateWindowHandle();
  if (!menu_) return;
  menu_->window_ = Handle();
  ::SetMenu(Handle(), menu_->Handle());
}

void TForm::DestroyWnd() {
  if (menu_) menu_->window_ = nullptr;
  TCustomControl::DestroyWnd();
}

void TForm::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == menu_) {
    menu_ = nullptr;
    if (HandleAllocated()) ::SetMenu(Handle(), nullptr);
  }
}

void TForm::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  Params.ExStyle = WS_EX_CONTROLPARENT;
  switch (borderStyle_) {
    case bsNone: Params.Style |= WS_POPUP; break;
    case bsSingle: Params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX; break;
    case bsSizeable: Params.Style |= WS_OVERLAPPEDWINDOW; break;
    case bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
      Params.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
    case bsToolWindow:
      Params.Style |= WS_CAPTION | WS_SYSMENU;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      Params.Style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (!Enabled()) Params.Style |= WS_DISABLED;
  // Other forms stay above the program's main form.
  TForm* mainForm = Application().MainForm();
  Params.WndParent =
      mainForm && mainForm != this && mainForm->HandleAllocated() ? mainForm->Handle() : nullptr;
}

SIZE TForm::FrameSize() const {
  if (HandleAllocated()) {
    RECT client = TCustomControl::ClientRect();
    return {Width() - client.right, Height() - client.bottom};
  }
  TCreateParams params;
  const_cast<TForm*>(this)->CreateParams(params);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, params.Style, menu_ != nullptr, params.ExStyle);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

RECT TForm::ClientRect() const {
  if (HandleAllocated()) return TCustomControl::ClientRect();
  SIZE frame = FrameSize();
  return {0, 0, std::max<int>(Width() - frame.cx, 0), std::max<int>(Height() - frame.cy, 0)};
}

void TForm::SetClientSize(int width, int height) {
  if (IsLoading()) layoutClientSize_ = {width, height};
  SIZE frame = FrameSize();
  SetBounds(Left(), Top(), width + frame.cx, height + frame.cy);
}

void TForm::Loaded() {
  TCustomControl::Loaded();
  if (layoutClientSize_.cx || layoutClientSize_.cy)
    SetClientSize(layoutClientSize_.cx, layoutClientSize_.cy);
}

void TForm::ApplyPosition() {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
      break;
    case poMainFormCenter:
    case poOwnerFormCenter:
      if (TForm* main = Application().MainForm(); main && main != this && main->Visible())
        area = main->BoundsRect();
      break;
    default:
      return;
  }
  SetBounds(area.left + (area.right - area.left - Width()) / 2,
            area.top + (area.bottom - area.top - Height()) / 2, Width(), Height());
}

void TForm::SetVisible(bool value) {
  if (value == Visible()) return;
  if (value) {
    Handle();
    if (windowState_ == wsNormal) ApplyPosition();
    DoShow();
    TControl::SetVisible(true);
    static constexpr int kCommands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(Handle(), kCommands[windowState_]);
  } else {
    if (HandleAllocated()) windowState_ = WindowState();
    TControl::SetVisible(false);
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    DoHide();
  }
}

void TForm::Show() {
  SetVisible(true);
  // A window of the program that lies behind another is activated, as a click on it would.
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TForm::FocusControl(TWinControl* control) {
  activeControl_ = control;
  ShowInParent(control);
  if (control && HandleAllocated() && Visible() && control->CanFocus())
    ::SetFocus(control->Handle());
}

void TForm::DefocusControl(TWinControl* control) {
  for (TControl* c = activeControl_; c; c = c->Parent()) {
    if (c != control) continue;
    activeControl_ = nullptr;
    if (HandleAllocated() && control->HandleAllocated() &&
        (GetFocus() == control->Handle() || IsChild(control->Handle(), GetFocus())))
      ::SetFocus(Handle());
    return;
  }
}

void TForm::FocusChanged(TWinControl* control) {
  // Focus that stays on the active control (the window activated again) moves nothing.
  if (control != activeControl_) ShowInParent(control);
  activeControl_ = control;
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TForm::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return;
  const int count = static_cast<int>(list.size());
  int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
  if (start == count) start = forward ? count - 1 : 0;
  for (int step = 1; step <= count; ++step) {
    TWinControl* candidate = list[((forward ? start + step : start - step) % count + count) % count];
    if (candidate->CanFocus() && (!checkTabStop || candidate->TabStop())) {
      FocusFromKeyboard(*candidate);
      return;
    }
  }
}

bool TForm::ActivateFocus() {
  if (activeControl_ && activeControl_->CanFocus()) {
    ::SetFocus(activeControl_->Handle());
    return true;
  }
  SelectNext(nullptr, true, true);
  return activeControl_ != nullptr;
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application().MainForm() == this) return Application().Terminate();
  switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    default: Release(); break;
  }
}

void TForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  if (action == caNone) modalResult_ = mrNone;
  else if (action == caFree) Release();
}

void TForm::Release() {
  if (HandleAllocated()) PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

TModalResult TForm::ShowModal() {
  if (Visible() || modal_) throw std::logic_error("Cannot make a visible window modal");
  if (HWND captured = GetCapture()) SendMessageA(captured, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  HWND previousActive = GetActiveWindow();
  std::vector<HWND> disabled = DisableThreadWindows(Handle());
  modal_ = true;
  modalResult_ = mrNone;
  struct Restore {
    TForm& form;
    std::vector<HWND>& disabled;
    HWND previous;
    ~Restore() {
      EnableWindows(disabled);
      if (previous && IsWindow(previous)) SetActiveWindow(previous);
      form.modal_ = false;
      form.Hide();
    }
  } restore{*this, disabled, previousActive};
  Show();
  do {
    Application().HandleMessage();
    if (Application().Terminated()) modalResult_ = mrCancel;
    else if (modalResult_ != mrNone) CloseModal();
  } while (modalResult_ == mrNone);
  return modalResult_;
}

void TForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE:
      return Close();
    case WM_ACTIVATE:
      if (LOWORD(Message.WParam) != WA_INACTIVE) {
        if (!ActivateFocus()) DefaultHandler(Message);
        if (OnActivate) OnActivate(this);
      } else {
        DefaultHandler(Message);
        if (OnDeactivate) OnDeactivate(this);
      }
      return;
    case WM_GETMINMAXINFO: {
      DefaultHandler(Message);
      auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
      const TSizeConstraints& c = Constraints();
      if (c.MinWidth > 0) info->ptMinTrackSize.x = c.MinWidth;
      if (c.MinHeight > 0) info->ptMinTrackSize.y = c.MinHeight;
      if (c.MaxWidth > 0) info->ptMaxTrackSize.x = c.MaxWidth;
      if (c.MaxHeight > 0) info->ptMaxTrackSize.y = c.MaxHeight;
      return;
    }
    case CM_DIALOGKEY:
      if (Message.WParam == VK_TAB && GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_CONTROL) >= 0) {
        SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
        Message.Result = 1;
        return;
      }
      return TCustomControl::WndProc(Message);
    default:
      return TCustomControl::WndProc(Message);
  }
}

void FocusFromKeyboard(TWinControl& control) {
  control.SetFocus();
  if (control.Focused()) SelectWholeText(control.Handle());
}

}  // namespace ui
