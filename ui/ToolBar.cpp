#include "ToolBar.h"

#include <algorithm>
#include <stdexcept>

namespace ui {

namespace {
// Command identifiers are places on the bar plus this.
constexpr int kFirstCommand = 1;
constexpr int kSeparatorWidth = 8;
}  // namespace

// ---- buttons

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::SetStyle(TToolButtonStyle value) {
  style_ = value;
  Changed();
}

void TToolButton::SetGrouped(bool value) {
  grouped_ = value;
  Changed();
}

bool TToolButton::Down() const {
  TToolBar* bar = ToolBar();
  if (!bar || !bar->HandleAllocated()) return down_;
  return SendMessageA(bar->Handle(), TB_ISBUTTONCHECKED, kFirstCommand + Index(), 0) != 0;
}

void TToolButton::SetDown(bool value) {
  down_ = value;
  TToolBar* bar = ToolBar();
  if (bar && bar->HandleAllocated())
    SendMessageA(bar->Handle(), TB_CHECKBUTTON, kFirstCommand + Index(), MAKELPARAM(value, 0));
}

void TToolButton::SetImageIndex(int value) {
  imageIndex_ = value;
  Changed();
}

void TToolButton::SetAutoSize(bool value) {
  autoSize_ = value;
  Changed();
}

int TToolButton::Index() const {
  TToolBar* bar = ToolBar();
  if (!bar) return -1;
  auto found = std::find(bar->buttons_.begin(), bar->buttons_.end(), this);
  return static_cast<int>(found - bar->buttons_.begin());
}

void TToolButton::SetIndex(int value) {
  TToolBar* bar = ToolBar();
  if (!bar) return;
  bar->KeepDownStates();
  auto& list = bar->buttons_;
  list.erase(std::find(list.begin(), list.end(), this));
  value = std::clamp(value, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + value, this);
  bar->ButtonsChanged();
}

void TToolButton::SetMenuItem(TMenuItem* value) {
  ReferTo(menuItem_, value);
  if (!value) return;
  SetCaption(value->Caption());
  SetEnabled(value->Enabled());
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation) {
  TControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == menuItem_) menuItem_ = nullptr;
}

void TToolButton::Click() {
  TToolBar* bar = ToolBar();
  if (!menuItem_ || !bar) return TControl::Click();
  if (menuItem_->Count() == 0) return menuItem_->Click();
  const POINT below = ClientToScreen({0, Height()});
  const WPARAM command = kFirstCommand + Index();
  SendMessageA(bar->Handle(), TB_PRESSBUTTON, command, MAKELPARAM(TRUE, 0));
  // The drop-down is modal: the button comes up again however it ends.
  struct Release {
    HWND bar;
    WPARAM command;
    ~Release() { SendMessageA(bar, TB_PRESSBUTTON, command, MAKELPARAM(FALSE, 0)); }
  } release{bar->Handle(), command};
  PopupMenuItems(*menuItem_, below.x, below.y);
}

void TToolButton::Changed() {
  if (TToolBar* bar = ToolBar()) {
    bar->KeepDownStates();
    bar->ButtonsChanged();
  }
}

void TToolButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
      return Changed();
    default:
      return TControl::WndProc(Message);
  }
}

// ---- the bar

TToolBar::TToolBar(TComponent* AOwner) : TNativeControl(AOwner) {
  SetBorderStyle(bsNone);
  SetTabStop(false);
  SetControlStyle((ControlStyle() | csAcceptsControls) & ~(csCaptureMouse | csClickEvents));
  SetColor(clBtnFace);
  SetBounds(0, 0, 150, 29);
}

TControl* TToolBar::ControlAtPos(POINT, bool) const { return nullptr; }

void TToolBar::SetFlag(bool& field, bool value) {
  if (field == value) return;
  field = value;
  RecreateWnd();
}

void TToolBar::SetShowCaptions(bool value) { SetFlag(showCaptions_, value); }
void TToolBar::SetFlat(bool value) { SetFlag(flat_, value); }
void TToolBar::SetList(bool value) { SetFlag(list_, value); }
void TToolBar::SetWrapable(bool value) { SetFlag(wrapable_, value); }
void TToolBar::SetTransparent(bool value) { SetFlag(transparent_, value); }

void TToolBar::SetButtonWidth(int value) {
  buttonWidth_ = value;
  ButtonsChanged();
}

void TToolBar::SetButtonHeight(int value) {
  buttonHeight_ = value;
  ButtonsChanged();
}

void TToolBar::SetImageList(TCustomImageList*& field, TCustomImageList* value) {
  // One image list may be both the images and the hot images.
  ReferTo(field, value, &field == &images_ ? hotImages_ : images_);
  if (HandleAllocated()) {
    UpdateImages();
    ButtonsChanged();
  }
}

void TToolBar::SetImages(TCustomImageList* value) { SetImageList(images_, value); }
void TToolBar::SetHotImages(TCustomImageList* value) { SetImageList(hotImages_, value); }

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  TNativeControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == images_) SetImages(nullptr);
  if (AComponent == hotImages_) SetHotImages(nullptr);
}

void TToolBar::CreateParams(TCreateParams& Params) {
  TNativeControl::CreateParams(Params);
  Params.NativeClass = TOOLBARCLASSNAMEA;
  // The framework places the bar; it draws no divider line of its own.
  Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_TOOLTIPS;
  if (flat_) Params.Style |= TBSTYLE_FLAT;
  if (list_) Params.Style |= TBSTYLE_LIST;
  if (wrapable_) Params.Style |= TBSTYLE_WRAPABLE;
  if (transparent_) Params.Style |= TBSTYLE_TRANSPARENT;
}

void TToolBar::CreateWindowHandle() {
  TNativeControl::CreateWindowHandle();
  SendMessageA(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  UpdateImages();
  ButtonsChanged();
}

void TToolBar::DestroyWnd() {
  KeepDownStates();
  TNativeControl::DestroyWnd();
}

void TToolBar::UpdateImages() {
  SendMessageA(Handle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
  SendMessageA(Handle(), TB_SETHOTIMAGELIST, 0,
               reinterpret_cast<LPARAM>(hotImages_ ? hotImages_->Handle() : nullptr));
  const int width = images_ ? images_->Width() : 0, height = images_ ? images_->Height() : 0;
  SendMessageA(Handle(), TB_SETBITMAPSIZE, 0, MAKELPARAM(width, height));
}

void TToolBar::KeepDownStates() {
  if (!HandleAllocated()) return;
  for (size_t i = 0; i < buttons_.size(); ++i)
    buttons_[i]->down_ = SendMessageA(Handle(), TB_ISBUTTONCHECKED, kFirstCommand + i, 0) != 0;
}

void TToolBar::ButtonsChanged() {
  if (!HandleAllocated()) return;
  HWND bar = Handle();
  SendMessageA(bar, WM_SETREDRAW, FALSE, 0);
  while (SendMessageA(bar, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageA(bar, TB_DELETEBUTTON, 0, 0);
  SendMessageA(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
  // Captions would otherwise size the buttons to the text alone.
  SendMessageA(bar, TB_SETBUTTONWIDTH, 0, MAKELPARAM(buttonWidth_, 0));
  std::vector<TBBUTTON> data(buttons_.size());
  std::vector<std::string> captions(buttons_.size());
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const TToolButton& button = *buttons_[i];
    TBBUTTON& b = data[i];
    b.idCommand = kFirstCommand + static_cast<int>(i);
    b.iBitmap = button.imageIndex_ >= 0 && images_ ? button.imageIndex_ : I_IMAGENONE;
    b.iString = -1;
    if (button.Enabled()) b.fsState |= TBSTATE_ENABLED;
    if (button.down_) b.fsState |= TBSTATE_CHECKED;
    if (!button.Visible()) b.fsState |= TBSTATE_HIDDEN;
    switch (button.style_) {
      case tbsButton: b.fsStyle = BTNS_BUTTON; break;
      case tbsCheck: b.fsStyle = BTNS_CHECK; break;
      case tbsDropDown: b.fsStyle = BTNS_DROPDOWN; break;
      case tbsSeparator:
      case tbsDivider:
        b.fsStyle = BTNS_SEP;
        b.iBitmap = kSeparatorWidth;
        continue;
    }
    if (button.grouped_) b.fsStyle |= BTNS_GROUP;
    if (button.autoSize_) b.fsStyle |= BTNS_AUTOSIZE;
    captions[i] = button.Caption();
    if (showCaptions_ && !captions[i].empty()) b.iString = reinterpret_cast<INT_PTR>(captions[i].c_str());
  }
  if (!data.empty() && !SendMessageA(bar, TB_ADDBUTTONSA, data.size(), reinterpret_cast<LPARAM>(data.data())))
    throw std::runtime_error("The tool bar cannot take its buttons");
  SendMessageA(bar, TB_AUTOSIZE, 0, 0);
  SendMessageA(bar, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(bar, nullptr, TRUE);
  UpdateButtonBounds();
}

void TToolBar::UpdateButtonBounds() {
  for (size_t i = 0; i < buttons_.size(); ++i) {
    RECT r{};
    SendMessageA(Handle(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    buttons_[i]->PlaceOnBar(r);
  }
}

TToolButton* TToolBar::ButtonOfCommand(UINT_PTR id) const {
  const size_t index = id - kFirstCommand;
  return index < buttons_.size() ? buttons_[index] : nullptr;
}

void TToolBar::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_CONTROLLISTCHANGE: {
      auto* control = reinterpret_cast<TControl*>(Message.WParam);
      // A button being destroyed is no longer a TToolButton by its type: it is found by address.
      auto found = std::find(buttons_.begin(), buttons_.end(), control);
      auto* button = Message.LParam ? dynamic_cast<TToolButton*>(control) : nullptr;
      if (!button && found == buttons_.end()) return TNativeControl::WndProc(Message);
      KeepDownStates();
      if (button) buttons_.push_back(button);
      else buttons_.erase(found);
      return ButtonsChanged();
    }
    case CN_COMMAND:
      if (TToolButton* button = ButtonOfCommand(LOWORD(Message.WParam))) button->Click();
      return;
    case CN_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
      if (header->code == NM_CUSTOMDRAW) {
        Message.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(Message.LParam));
        return;
      }
      return TNativeControl::WndProc(Message);
    }
    case WM_NOTIFY:
      // From the bar's own tool tip window, asking for a button's hint.
      if (GiveTip(*reinterpret_cast<NMHDR*>(Message.LParam))) return;
      return TNativeControl::WndProc(Message);
    case WM_ERASEBKGND:
      if (transparent_) return TNativeControl::WndProc(Message);
      {
        RECT r = ClientRect();
        ::FillRect(reinterpret_cast<HDC>(Message.WParam), &r, Brush().Handle());
      }
      Message.Result = 1;
      return;
    case WM_SIZE:
      TNativeControl::WndProc(Message);
      if (HandleAllocated()) UpdateButtonBounds();
      return;
    case CM_FONTCHANGED:
      TNativeControl::WndProc(Message);
      return ButtonsChanged();
    default:
      return TNativeControl::WndProc(Message);
  }
}

bool TToolBar::GiveTip(NMHDR& header) {
  if (header.code != TTN_GETDISPINFOA && header.code != TTN_GETDISPINFOW) return false;
  TToolButton* button = ButtonOfCommand(header.idFrom);
  if (!button || button->Hint().empty()) return false;
  if (header.code == TTN_GETDISPINFOA) {
    auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
    lstrcpynA(info.szText, button->Hint().c_str(), sizeof info.szText);
    info.lpszText = info.szText;
  } else {
    auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
    MultiByteToWideChar(CP_ACP, 0, button->Hint().c_str(), -1, info.szText,
                        static_cast<int>(sizeof info.szText / sizeof info.szText[0]));
    info.szText[sizeof info.szText / sizeof info.szText[0] - 1] = 0;
    info.lpszText = info.szText;
  }
  return true;
}

LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW& draw) {
  NMCUSTOMDRAW& cd = draw.nmcd;
  bool defaultDraw = true;
  switch (cd.dwDrawStage) {
    case CDDS_PREPAINT:
      if (OnCustomDraw) {
        CanvasOn canvas(*this, cd.hdc);
        OnCustomDraw(this, ClientRect(), defaultDraw);
      }
      if (!defaultDraw) return CDRF_SKIPDEFAULT;
      return OnCustomDrawButton ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    case CDDS_ITEMPREPAINT: {
      TToolButton* button = ButtonOfCommand(cd.dwItemSpec);
      if (!OnCustomDrawButton || !button) return CDRF_DODEFAULT;
      {
        CanvasOn canvas(*this, cd.hdc);
        OnCustomDrawButton(this, button, CustomDrawState(cd.uItemState), defaultDraw);
      }
      return defaultDraw ? CDRF_DODEFAULT : CDRF_SKIPDEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

}  // namespace ui
