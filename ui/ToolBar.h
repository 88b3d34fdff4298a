// TToolBar / TToolButton: the native tool bar and its buttons: images from an image list (hot
// images under the mouse), captions under the images, check buttons alone or in groups, rows
// that wrap, tool tips from the buttons' hints, and custom drawing of the bar and each button
// (OnCustomDraw, OnCustomDrawButton), which the skinned tool bar and menu bar paint through.
// Buttons are controls placed on the bar (SetParent); the bar shows them in the order they
// came (SetIndex moves one) and places, draws and hit-tests them itself.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ImageList.h"
#include "Menus.h"
#include "NativeControl.h"

namespace ui {

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

class TToolBar;

class TToolButton : public TControl {
  UI_CLASS(TToolButton, TControl)
 public:
  explicit TToolButton(TComponent* AOwner) : TControl(AOwner) {}

  // The bar the button is on, or none.
  TToolBar* ToolBar() const;
  TToolButtonStyle Style() const { return style_; }
  void SetStyle(TToolButtonStyle value);
  // Check buttons of one group (neighbours with Grouped set) are down one at a time.
  bool Grouped() const { return grouped_; }
  void SetGrouped(bool value);
  bool Down() const;
  void SetDown(bool value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  // The next button starts a new row.
  // As wide as its caption needs, not the bar's button width.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  // Place on the bar, from 0.
  int Index() const;
  void SetIndex(int value);
  // The menu item the button stands for (a menu bar's buttons): it takes the item's caption and
  // enabled state, and a click drops the item's sub-items down below the button, held pressed
  // meanwhile, or clicks the item when it has none.
  TMenuItem* MenuItem() const { return menuItem_; }
  void SetMenuItem(TMenuItem* value);

 protected:
  void WndProc(TMessage& Message) override;
  void Click() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TToolBar;
  void Changed();
  void PlaceOnBar(const RECT& rect) { StoreBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top); }

  TToolButtonStyle style_ = tbsButton;
  bool grouped_ = false;
  bool down_ = false;
  int imageIndex_ = -1;
  bool autoSize_ = false;
  TMenuItem* menuItem_ = nullptr;
};

using TTBCustomDrawEvent = std::function<void(TToolBar* Sender, const RECT& ARect, bool& DefaultDraw)>;
using TTBCustomDrawBtnEvent =
    std::function<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw)>;

class TToolBar : public TNativeControl {
  UI_CLASS(TToolBar, TNativeControl)
 public:
  explicit TToolBar(TComponent* AOwner);

  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TToolButton* Buttons(int index) const { return buttons_.at(index); }

  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* value);
  // Drawn instead of Images for the button under the mouse.
  TCustomImageList* HotImages() const { return hotImages_; }
  void SetHotImages(TCustomImageList* value);
  bool ShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool value);
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  // Captions right of the images instead of under them.
  bool List() const { return list_; }
  void SetList(bool value);
  // Buttons that do not fit go on to a new row.
  bool Wrapable() const { return wrapable_; }
  void SetWrapable(bool value);
  // The parent's background shows through the bar.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int value);
  int ButtonHeight() const { return buttonHeight_; }
  void SetButtonHeight(int value);

  // Before the bar is drawn; DefaultDraw false leaves the bar undrawn.
  TTBCustomDrawEvent OnCustomDraw;
  // Before each button is drawn; DefaultDraw false leaves the button to the handler.
  TTBCustomDrawBtnEvent OnCustomDrawButton;

  // The bar hit-tests its buttons itself: its mouse messages are its own.
  TControl* ControlAtPos(POINT point, bool allowDisabled = false) const override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TToolButton;
  void ButtonsChanged();
  void KeepDownStates();
  void UpdateButtonBounds();
  void UpdateImages();
  void SetImageList(TCustomImageList*& field, TCustomImageList* value);
  TToolButton* ButtonOfCommand(UINT_PTR id) const;
  LRESULT CustomDraw(NMTBCUSTOMDRAW& draw);
  bool GiveTip(NMHDR& header);
  void SetFlag(bool& field, bool value);

  std::vector<TToolButton*> buttons_;
  TCustomImageList* images_ = nullptr;
  TCustomImageList* hotImages_ = nullptr;
  bool showCaptions_ = false;
  bool flat_ = false;
  bool list_ = false;
  bool wrapable_ = true;
  bool transparent_ = false;
  int buttonWidth_ = 23;
  int buttonHeight_ = 22;
};

}  // namespace ui
