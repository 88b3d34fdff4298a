// Menus over the system's HMENU: items with caption, short cut, enabled, checked and default
// state, image index and sub-items, built into native menus; an owner-drawn menu marks every
// item MF_OWNERDRAW and has its items measured and drawn through their events. A main menu is
// shown on a form's menu bar, a pop-up menu at a screen point; a key with an item's short cut
// clicks that item.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Canvas.h"
#include "Component.h"
#include "Control.h"
#include "Handles.h"

namespace ui {

class TMenu;
class TCustomImageList;

// A key with its modifiers: the virtual key in the low byte, plus scShift, scCtrl, scAlt.
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

TShortCut ShortCut(WORD key, TShiftState shift);
// "Ctrl+S", "Shift+Ctrl+F5", "Del"; the empty text for no short cut.
std::string ShortCutToText(TShortCut shortCut);

class TMenuItem;
using TMenuMeasureItemEvent =
    std::function<void(TMenuItem* Sender, TCanvas& ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent =
    std::function<void(TMenuItem* Sender, TCanvas& ACanvas, const RECT& ARect, bool Selected)>;

class TMenuItem : public TComponent {
  UI_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut value);
  std::string ShortCutText() const { return ShortCutToText(shortCut_); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  bool Default() const { return default_; }
  void SetDefault(bool value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);

  // Sub-items. An item belongs to one parent at a time; the parent does not own it (its owner
  // component does), and an item going away leaves its parent.
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(index); }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  int IndexOf(const TMenuItem* item) const;
  TMenuItem* Parent() const { return parent_; }
  // The menu whose tree holds the item, or none.
  TMenu* GetParentMenu() const;

  // The command identifier WM_COMMAND carries for the item; unique in the process.
  UINT Command() const { return command_; }
  // The native drop-down of an item with sub-items, once its menu has been built; else none.
  HMENU Handle() const { return handle_; }

  // Runs OnClick.
  virtual void Click();

  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;

  // The item of a command identifier, or none.
  static TMenuItem* FromCommand(UINT command);

 protected:
  // An owner-drawn item's size and look: its events, else the plain system look.
  virtual void MeasureItem(TCanvas& ACanvas, int& Width, int& Height);
  virtual void DrawItem(TCanvas& ACanvas, const RECT& ARect, bool Selected);

 private:
  friend class TMenu;
  friend bool DispatchMenuMessage(TMessage& Message);
  void Changed(bool rebuild);

  std::string caption_;
  TShortCut shortCut_ = 0;
  bool enabled_ = true;
  bool checked_ = false;
  bool default_ = false;
  int imageIndex_ = -1;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on the root item only
  UINT command_;
  HMENU handle_ = nullptr;
};

class TMenu : public TComponent {
  UI_CLASS(TMenu, TComponent)
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  // The root item; its sub-items are the menu's top level.
  TMenuItem& Items() { return *items_; }
  const TMenuItem& Items() const { return *items_; }

  virtual TCustomImageList* Images() const { return images_; }
  virtual void SetImages(TCustomImageList* value);
  virtual bool OwnerDraw() const { return ownerDraw_; }
  virtual void SetOwnerDraw(bool value);

  // The native menu, built now when it is not (or no longer) up to date.
  HMENU Handle();
  // Clicks the enabled item whose short cut the key message (WM_KEYDOWN, WM_SYSKEYDOWN) gives
  // with the modifier keys held now; false when no item has it.
  bool IsShortCut(const TMessage& KeyMessage);

  // Every item of the tree below the root, depth first.
  std::vector<TMenuItem*> AllItems() const;

 protected:
  // The menu or one of its items changed; rebuild when the native menu must be made again.
  virtual void MenuChanged(TMenuItem* Source, bool Rebuild);
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual HMENU CreateMenuHandle() const = 0;
  // The window that shows the menu now (a form's menu bar), told when the menu is rebuilt.
  HWND window_ = nullptr;

 private:
  friend class TMenuItem;
  friend class TForm;
  void Build(HMENU menu, TMenuItem& parent);
  void Rebuild();

  TMenuItem* items_;
  TCustomImageList* images_ = nullptr;
  bool ownerDraw_ = false;
  com::unique_menu handle_;
  bool stale_ = true;
};

class TMainMenu : public TMenu {
  UI_CLASS(TMainMenu, TMenu)
 public:
  using TMenu::TMenu;

 protected:
  HMENU CreateMenuHandle() const override { return CreateMenu(); }
};

class TPopupMenu : public TMenu {
  UI_CLASS(TPopupMenu, TMenu)
 public:
  using TMenu::TMenu;
  // Shows the menu with its top-left corner at the screen point and clicks the item chosen.
  void Popup(int X, int Y);

 protected:
  HMENU CreateMenuHandle() const override { return CreatePopupMenu(); }
};

// Shows an item's sub-items as a drop-down at the screen point (flags: TPM_* alignment) and
// clicks the item chosen. Measuring and drawing go to the items as for any menu.
void PopupMenuItems(TMenuItem& parent, int X, int Y, UINT Flags = TPM_LEFTALIGN | TPM_TOPALIGN);

// The system's menu font (from its non-client metrics, asked for in the size every Windows
// version takes); false when the system does not answer.
bool SystemMenuFont(LOGFONTA& font);

// Handles the menu messages a window receives: WM_COMMAND of a menu item (clicks it) and the
// owner-draw WM_MEASUREITEM and WM_DRAWITEM of menu items. False for every other message.
bool DispatchMenuMessage(TMessage& Message);

}  // namespace ui
