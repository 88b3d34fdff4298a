// Unit KIVForm: the form skin. Placed on a form, it takes away the form's own caption and
// frame, becomes a panel filling the form inside a frame of its border colour, carries the
// title bar at its top and, with a main menu attached, a menu bar below it, filters the form's
// messages to keep activation, maximising, menu short cuts and edge resizing working without
// the system frame, and applies one style to itself, its title bar, its menu and, on request,
// to the controls on it.
#pragma once

#include <memory>
#include <vector>

#include "Form.h"
#include "KIVThemes.h"
#include "KIVTitleBar.h"
#include "MessageFilter.h"
#include "Panel.h"

namespace ui {
class TMainMenu;
class TToolBar;
class TToolButton;
}  // namespace ui

namespace kiv {

// The sizing edge of a window, 5 pixels wide, under a screen point (a mouse message's lParam,
// signed, so windows left of the primary monitor work): HTTOPLEFT ... HTBOTTOM, or previous
// where the point is on no edge.
int FormEdgeHitTest(LPARAM screenPoint, POINT clientOrigin, SIZE clientSize, int previous);

// Where the skin panel lies in its form's client area.
RECT SkinPanelBounds(SIZE clientSize, int borderWidth, bool titleBarVisible);

class TkivForm : public ui::TCustomPanel, public IkivStyled {
  UI_CLASS(TkivForm, ui::TCustomPanel)
 public:
  // The owner must be a form without a form skin; anything else is refused before any of the
  // skin is made.
  explicit TkivForm(ui::TComponent* AOwner);
  ~TkivForm() override;

  TkivUIStyle UIStyle() const override { return uiStyle_; }
  void SetUIStyle(TkivUIStyle value) override;
  bool UIStyleAutoUpdateSub() const { return uiStyleAutoUpdateSub_; }
  void SetUIStyleAutoUpdateSub(bool value) { uiStyleAutoUpdateSub_ = value; }
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor value);
  // The width of the frame around the skin (on the form, not the panel's own margin).
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  bool TitleBarVisible() const { return titleBar_->Visible(); }
  void SetTitleBarVisible(bool value);

  TkivTitleBar& TitleBar() const { return *titleBar_; }
  TkivTitleBarButtons& TitleBarButtons() const { return titleBar_->Buttons(); }
  void SetTitleBarButtons(const TkivTitleBarButtons& value) { titleBar_->SetButtons(value); }
  TkivTitleBarSections& TitleBarSections() const { return titleBar_->Sections(); }
  void SetTitleBarSections(const TkivTitleBarSections& value) { titleBar_->SetSections(value); }
  bool TitleBarDrawAppIcon() const { return titleBar_->DrawAppIcon(); }
  void SetTitleBarDrawAppIcon(bool value) { titleBar_->SetDrawAppIcon(value); }
  // The skin's Font is its title bar's (the panel shows no text of its own).
  ui::TFont& Font() { return titleBar_->Font(); }
  void SetFont(const ui::TFont& value) { titleBar_->SetFont(value); }
  void SetOnTitleBarCustomBtnsClick(TkivTitleBarButtonClickEvent value) {
    titleBar_->OnCustomBtnsClick = std::move(value);
  }
  void SetOnTitleBarHelpBtnClick(TkivTitleBarButtonClickEvent value) {
    titleBar_->OnHelpBtnClick = std::move(value);
  }

  // The form's size through the skin: the panel's width and height inside the frame.
  void SetWidth(int value);
  void SetHeight(int value);

  ui::TMainMenu* Menu() const { return menu_; }
  void SetMenu(ui::TMainMenu* value);
  TColor MenuBarColor() const { return menuBarColor_; }
  void SetMenuBarColor(TColor value);
  int MenuBarHeight() const { return menuBarHeight_; }
  void SetMenuBarHeight(int value);
  // The bar below the title bar that shows the menu's top-level items, while a menu is set.
  ui::TToolBar* MenuBar() const { return menuBar_; }
  ui::TWinControl* FormPanel() const { return formPanel_; }
  void SetFormPanel(ui::TWinControl* value);

  // One menu bar button per top-level item of the menu, in the menu's order.
  void RebuildMenuBar();
  // The buttons take their items' captions and enabled states; top-level items added, removed
  // or moved make the buttons again.
  void UpdateMenuBarButtons();
  // The menu bar takes the font of its TkivMainMenu.
  void UpdateMenuBarFont();

  // The sizing edge of the form under a screen point, HTNOWHERE where the form is not resized
  // from its edges (maximised, or not created sizeable) or the point is on none.
  int EdgeAt(LPARAM screenPoint) const;
  void LayoutSkinPanel();
  void PaintFormFrame();

 protected:
  void WndProc(ui::TMessage& Message) override;
  void Paint() override;
  void Loaded() override;
  void Notification(ui::TComponent* AComponent, ui::TOperation Operation) override;
  std::string GetText() const override;
  void SetTextNow(const std::string& value) override;

 private:
  struct KeyHook;
  void HostMessage(ui::TMessage& Message, const ui::TMessageFilter::Inherited& Previous);
  void HostSized();
  void CreateMenuBar();
  void FreeMenuBar();
  TkivUIStyle MenuStyle() const;
  void DrawMenuBar(const RECT& rect);
  bool DrawMenuButton(ui::TToolButton& button, bool hot, bool pressed);
  void LinkMenu(ui::TMainMenu* menu, TkivForm* skin);

  ui::TForm& host_;
  TkivTitleBar* titleBar_ = nullptr;
  ui::TMainMenu* menu_ = nullptr;
  ui::TToolBar* menuBar_ = nullptr;
  std::vector<ui::TToolButton*> menuButtons_;
  ui::TWinControl* formPanel_ = nullptr;
  ui::TFormBorderStyle creationBorderStyle_;
  TColor borderColor_ = ui::clBlack;
  int borderWidth_ = 1;
  TColor menuBarColor_;
  int menuBarHeight_ = 22;
  TkivUIStyle uiStyle_ = TkivUIStyle::DeepBlue;
  bool uiStyleAutoUpdateSub_ = false;
  bool ownsKeyHook_ = false;
  RECT normalBounds_;
  bool startedMaximized_;
  std::unique_ptr<ui::TMessageFilter> hostFilter_;
  std::unique_ptr<ui::TMessageFilter> titleBarFilter_;
};

}  // namespace kiv
