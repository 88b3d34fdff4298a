#include "Menus.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <stdexcept>

#include "Application.h"
#include "ImageList.h"

namespace ui {

namespace {

// Command identifiers of the living items. WM_COMMAND carries 16 bits, and 0 means none.
std::map<UINT, TMenuItem*>& Commands() {
  static std::map<UINT, TMenuItem*> commands;
  return commands;
}

UINT NewCommand(TMenuItem* item) {
  static UINT next = 1;
  auto& commands = Commands();
  if (commands.size() >= 0xEFFF) throw std::runtime_error("Too many menu items");
  while (commands.count(next)) next = next >= 0xEFFF ? 1 : next + 1;
  const UINT command = next;
  next = next >= 0xEFFF ? 1 : next + 1;
  commands[command] = item;
  return command;
}

std::string KeyName(WORD key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  switch (key) {
    case VK_BACK: return "BkSp";
    case VK_TAB: return "Tab";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Esc";
    case VK_SPACE: return "Space";
    case VK_PRIOR: return "PgUp";
    case VK_NEXT: return "PgDn";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_INSERT: return "Ins";
    case VK_DELETE: return "Del";
    default: break;
  }
  char name[32] = {};
  const UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
  if (scan && GetKeyNameTextA(static_cast<LONG>(scan << 16), name, sizeof(name)) > 0) return name;
  return "";
}

// The system's menu font, for items measured and drawn without events.
void UseMenuFont(TCanvas& canvas) {
  LOGFONTA font;
  if (SystemMenuFont(font)) canvas.Font().SetLogFont(font);
}

// The metrics up to the message font: the structure as systems before Vista know it. The full
// structure of newer headers is refused there.
constexpr UINT kNonClientMetricsSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
static_assert(kNonClientMetricsSize == 340);

LRESULT CALLBACK PopupOwnerProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  try {
    if (DispatchMenuMessage(message)) return message.Result;
  } catch (const std::exception& e) {
    Application().HandleException(e);
    return 0;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

// The window that owns pop-up menus while they are shown: their measuring and drawing
// messages arrive there.
HWND PopupOwner() {
  static HWND owner = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PopupOwnerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Talvo.PopupOwner";
    RegisterClassA(&wc);
    HWND wnd = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0,
                               nullptr, nullptr, wc.hInstance, nullptr);
    if (!wnd) throw std::runtime_error("Cannot create the pop-up menu window");
    return wnd;
  }();
  return owner;
}

}  // namespace

bool SystemMenuFont(LOGFONTA& font) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = kNonClientMetricsSize;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0)) return false;
  font = metrics.lfMenuFont;
  return true;
}

TShortCut ShortCut(WORD key, TShiftState shift) {
  TShortCut result = key & 0xFF;
  if (shift & ssShift) result |= scShift;
  if (shift & ssCtrl) result |= scCtrl;
  if (shift & ssAlt) result |= scAlt;
  return result;
}

std::string ShortCutToText(TShortCut shortCut) {
  const std::string name = KeyName(shortCut & 0xFF);
  if (name.empty()) return "";
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + name;
}

// --- TMenuItem ---

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), command_(NewCommand(this)) {}

TMenuItem::~TMenuItem() {
  Commands().erase(command_);
  for (TMenuItem* item : items_) item->parent_ = nullptr;
  if (parent_) parent_->Remove(this);
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  return root->menu_;
}

TMenuItem* TMenuItem::FromCommand(UINT command) {
  auto found = Commands().find(command);
  return found == Commands().end() ? nullptr : found->second;
}

void TMenuItem::Changed(bool rebuild) {
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, rebuild);
}

void TMenuItem::SetCaption(const std::string& value) {
  if (value == caption_) return;
  caption_ = value;
  Changed(true);
}

void TMenuItem::SetShortCut(TShortCut value) {
  if (value == shortCut_) return;
  shortCut_ = value;
  Changed(true);
}

void TMenuItem::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Changed(true);
}

void TMenuItem::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  Changed(true);
}

void TMenuItem::SetDefault(bool value) {
  if (value == default_) return;
  default_ = value;
  Changed(true);
}

void TMenuItem::SetImageIndex(int value) {
  if (value == imageIndex_) return;
  imageIndex_ = value;
  Changed(true);
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  for (TMenuItem* p = this; p; p = p->parent_)
    if (p == item) throw std::invalid_argument("A menu item cannot hold itself");
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  Changed(true);
}

void TMenuItem::Remove(TMenuItem* item) {
  auto found = std::find(items_.begin(), items_.end(), item);
  if (found == items_.end()) return;
  items_.erase(found);
  item->parent_ = nullptr;
  item->handle_ = nullptr;
  Changed(true);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto found = std::find(items_.begin(), items_.end(), item);
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

void TMenuItem::MeasureItem(TCanvas& ACanvas, int& Width, int& Height) {
  if (OnMeasureItem) return OnMeasureItem(this, ACanvas, Width, Height);
  UseMenuFont(ACanvas);
  const SIZE text = ACanvas.TextExtent(caption_ == "-" ? "" : caption_ + "    " + ShortCutText());
  Width = text.cx + 2 * GetSystemMetrics(SM_CXMENUCHECK);
  Height = caption_ == "-" ? 8 : std::max<int>(text.cy + 4, GetSystemMetrics(SM_CYMENU) - 1);
}

void TMenuItem::DrawItem(TCanvas& ACanvas, const RECT& ARect, bool Selected) {
  if (OnDrawItem) return OnDrawItem(this, ACanvas, ARect, Selected);
  UseMenuFont(ACanvas);
  ACanvas.Brush().SetColor(Selected ? clHighlight : clMenu);
  ACanvas.FillRect(ARect);
  if (caption_ == "-") {
    RECT line{ARect.left + 2, (ARect.top + ARect.bottom) / 2, ARect.right - 2, 0};
    line.bottom = line.top + 1;
    ACanvas.Brush().SetColor(clBtnShadow);
    ACanvas.FillRect(line);
    return;
  }
  ACanvas.Brush().SetStyle(bsClear);
  ACanvas.Font().SetColor(!enabled_ ? clGrayText : Selected ? clHighlightText : clMenuText);
  RECT text{ARect.left + GetSystemMetrics(SM_CXMENUCHECK) + 4, ARect.top, ARect.right - 8, ARect.bottom};
  ACanvas.DrawText(caption_, text, DT_SINGLELINE | DT_VCENTER);
  ACanvas.DrawText(ShortCutText(), text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  if (checked_) {
    const int size = GetSystemMetrics(SM_CXMENUCHECK);
    RECT mark{ARect.left + 2, (ARect.top + ARect.bottom - size) / 2, 0, 0};
    mark.right = mark.left + size;
    mark.bottom = mark.top + size;
    DrawFrameControl(ACanvas.Handle(), &mark, DFC_MENU, DFCS_MENUCHECK);
  }
}

// --- TMenu ---

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  // The native menu goes before the items it names.
  if (window_ && IsWindow(window_) && GetMenu(window_) == handle_.get()) ::SetMenu(window_, nullptr);
  handle_.reset();
  items_->menu_ = nullptr;
}

void TMenu::SetImages(TCustomImageList* value) {
  if (value == images_) return;
  ReferTo(images_, value);
  MenuChanged(nullptr, false);
}

void TMenu::SetOwnerDraw(bool value) {
  if (value == ownerDraw_) return;
  ownerDraw_ = value;
  MenuChanged(nullptr, true);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) {
    images_ = nullptr;
    MenuChanged(nullptr, false);
  }
}

void TMenu::MenuChanged(TMenuItem* Source, bool Rebuild) {
  (void)Source;
  if (!Rebuild) {
    if (window_ && IsWindow(window_)) DrawMenuBar(window_);
    return;
  }
  stale_ = true;
  // A menu on show is made again at once, so it never names an item that is gone.
  if (handle_) this->Rebuild();
}

HMENU TMenu::Handle() {
  if (stale_ || !handle_) Rebuild();
  return handle_.get();
}

void TMenu::Rebuild() {
  com::unique_menu menu(CreateMenuHandle());
  if (!menu) throw std::runtime_error("Cannot create a menu");
  try {
    Build(menu.get(), *items_);
  } catch (...) {
    // The popups made so far went with the menu that failed: no item names one of them.
    for (TMenuItem* item : AllItems()) item->handle_ = nullptr;
    throw;
  }
  std::swap(handle_, menu);
  stale_ = false;
  if (window_ && IsWindow(window_)) {
    ::SetMenu(window_, handle_.get());
    DrawMenuBar(window_);
  }
}

void TMenu::Build(HMENU menu, TMenuItem& parent) {
  for (TMenuItem* item : parent.items_) {
    UINT flags = MF_BYPOSITION;
    UINT_PTR id = item->command_;
    item->handle_ = nullptr;
    com::unique_menu popup;
    if (item->Count() > 0) {
      popup.reset(CreatePopupMenu());
      if (!popup) throw std::runtime_error("Cannot create a menu");
      Build(popup.get(), *item);
      flags |= MF_POPUP;
      id = reinterpret_cast<UINT_PTR>(popup.get());
    }
    if (!item->enabled_) flags |= MF_GRAYED;
    if (item->checked_) flags |= MF_CHECKED;
    const std::string text = item->ShortCutText().empty() ? item->caption_
                                                           : item->caption_ + "\t" + item->ShortCutText();
    if (OwnerDraw()) flags |= MF_OWNERDRAW;
    else if (item->caption_ == "-") flags |= MF_SEPARATOR;
    // An owner-drawn item carries its command as item data: the measuring and drawing messages
    // find the item through it, and never through an address that may be gone.
    const char* data = OwnerDraw() ? reinterpret_cast<const char*>(static_cast<UINT_PTR>(item->command_))
                                   : text.c_str();
    if (!AppendMenuA(menu, flags, id, data))
      throw std::runtime_error("Cannot add a menu item (" + std::to_string(GetLastError()) + ")");
    // The menu it was added to destroys the popup with itself from here on.
    item->handle_ = popup.release();
    if (item->default_) SetMenuDefaultItem(menu, item->command_, FALSE);
  }
}

std::vector<TMenuItem*> TMenu::AllItems() const {
  std::vector<TMenuItem*> all;
  std::function<void(const TMenuItem&)> walk = [&](const TMenuItem& parent) {
    for (TMenuItem* item : parent.items_) {
      all.push_back(item);
      walk(*item);
    }
  };
  walk(*items_);
  return all;
}

bool TMenu::IsShortCut(const TMessage& KeyMessage) {
  if (KeyMessage.Msg != WM_KEYDOWN && KeyMessage.Msg != WM_SYSKEYDOWN) return false;
  const TShortCut wanted = ui::ShortCut(static_cast<WORD>(KeyMessage.WParam), KeyboardShiftState());
  for (TMenuItem* item : AllItems()) {
    if (item->shortCut_ != wanted || !item->enabled_) continue;
    bool enabled = true;
    for (TMenuItem* p = item->parent_; p && p != items_; p = p->parent_) enabled = enabled && p->enabled_;
    if (!enabled) continue;
    item->Click();
    return true;
  }
  return false;
}

void TPopupMenu::Popup(int X, int Y) { PopupMenuItems(Items(), X, Y); }

void PopupMenuItems(TMenuItem& parent, int X, int Y, UINT Flags) {
  TMenu* menu = parent.GetParentMenu();
  if (!menu || parent.Count() == 0) return;
  HMENU handle = menu->Handle();
  if (&parent != &menu->Items()) handle = parent.Handle();
  HWND owner = PopupOwner();
  // The menu's own loop ends when its owner is not the foreground window.
  SetForegroundWindow(owner);
  const UINT command = TrackPopupMenu(handle, Flags | TPM_RETURNCMD | TPM_NONOTIFY, X, Y, 0, owner, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);
  if (TMenuItem* item = TMenuItem::FromCommand(command)) item->Click();
}

bool DispatchMenuMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_COMMAND: {
      if (Message.LParam || HIWORD(Message.WParam) != 0) return false;
      TMenuItem* item = TMenuItem::FromCommand(LOWORD(Message.WParam));
      if (!item) return false;
      item->Click();
      return true;
    }
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
      if (measure->CtlType != ODT_MENU) return false;
      TMenuItem* item = TMenuItem::FromCommand(static_cast<UINT>(measure->itemData));
      if (!item) return false;
      com::window_dc screen = com::window_dc::client(nullptr);
      TCanvas canvas(screen.get());
      int width = static_cast<int>(measure->itemWidth), height = static_cast<int>(measure->itemHeight);
      item->MeasureItem(canvas, width, height);
      canvas.SetHandle(nullptr);
      measure->itemWidth = static_cast<UINT>(std::max(width, 0));
      measure->itemHeight = static_cast<UINT>(std::max(height, 0));
      Message.Result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      if (draw->CtlType != ODT_MENU) return false;
      TMenuItem* item = TMenuItem::FromCommand(static_cast<UINT>(draw->itemData));
      if (!item) return false;
      com::saved_dc_state saved(draw->hDC);
      TCanvas canvas(draw->hDC);
      item->DrawItem(canvas, draw->rcItem, (draw->itemState & ODS_SELECTED) != 0);
      canvas.SetHandle(nullptr);
      Message.Result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace ui
