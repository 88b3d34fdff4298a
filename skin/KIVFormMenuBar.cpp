// Unit KIVForm: the menu bar a form skin shows below its title bar for its main menu, a flat
// tool bar with one button per top-level item that drops the item's menu down.
#include "KIVForm.h"
#include "KIVMainMenu.h"
#include "KIVPublic.h"
#include "Menus.h"
#include "ToolBar.h"

namespace kiv {

namespace {

constexpr int kSelectedBorder = 11;
constexpr int kSelectedFill = 12;
constexpr int kSelectedFont = 13;

}  // namespace

void TkivForm::CreateMenuBar() {
  if (menuBar_) return;
  menuBar_ = new ui::TToolBar(this);
  menuBar_->SetFlat(true);
  menuBar_->SetShowCaptions(true);
  menuBar_->SetList(true);
  menuBar_->SetWrapable(false);
  menuBar_->SetAlign(ui::alTop);
  menuBar_->SetHeight(menuBarHeight_);
  menuBar_->SetButtonHeight(menuBarHeight_);
  menuBar_->SetColor(menuBarColor_);
  menuBar_->OnCustomDraw = [this](ui::TToolBar*, const RECT& rect, bool&) { DrawMenuBar(rect); };
  menuBar_->OnCustomDrawButton = [this](ui::TToolBar*, ui::TToolButton* button, ui::TCustomDrawState state,
                                        bool& defaultDraw) {
    defaultDraw = !DrawMenuButton(*button, (state & ui::cdsHot) != 0, (state & ui::cdsSelected) != 0);
  };
  menuBar_->SetParent(this);
  // The title bar stays above the menu bar.
  titleBar_->SetTop(0);
  UpdateMenuBarFont();
}

void TkivForm::FreeMenuBar() {
  for (ui::TToolButton* button : std::exchange(menuButtons_, {})) delete button;
  delete std::exchange(menuBar_, nullptr);
  LinkMenu(menu_, nullptr);
  ReferTo(menu_, nullptr);
}

void TkivForm::RebuildMenuBar() {
  if (!menuBar_) return;
  if (!menu_) return FreeMenuBar();
  for (ui::TToolButton* button : std::exchange(menuButtons_, {})) delete button;
  ui::TMenuItem& top = menu_->Items();
  // Created in the menu's order: a new button goes last on the bar.
  for (int i = 0; i < top.Count(); ++i) {
    auto* button = new ui::TToolButton(this);
    button->SetGrouped(true);
    button->SetAutoSize(true);
    button->SetMenuItem(top.Items(i));
    button->SetParent(menuBar_);
    menuButtons_.push_back(button);
  }
}

void TkivForm::UpdateMenuBarButtons() {
  if (!menuBar_ || !menu_) return;
  const ui::TMenuItem& top = menu_->Items();
  bool same = top.Count() == static_cast<int>(menuButtons_.size());
  for (int i = 0; same && i < top.Count(); ++i) same = menuButtons_[i]->MenuItem() == top.Items(i);
  if (!same) return RebuildMenuBar();
  // SetMenuItem takes the item's caption and enabled state again.
  for (ui::TToolButton* button : menuButtons_) button->SetMenuItem(button->MenuItem());
}

void TkivForm::UpdateMenuBarFont() {
  auto* skinned = dynamic_cast<TkivMainMenu*>(menu_);
  if (!menuBar_ || !skinned) return;
  ui::TFont font = menuBar_->Font();
  skinned->ApplyFont(font);
  menuBar_->SetFont(font);
  menuBar_->Invalidate();
}

void TkivForm::SetMenuBarColor(TColor value) {
  menuBarColor_ = value;
  if (menuBar_) menuBar_->SetColor(value);
}

void TkivForm::SetMenuBarHeight(int value) {
  menuBarHeight_ = value;
  if (!menuBar_) return;
  menuBar_->SetHeight(value);
  menuBar_->SetButtonHeight(value);
}

TkivUIStyle TkivForm::MenuStyle() const {
  auto* skinned = dynamic_cast<TkivMainMenu*>(menu_);
  return skinned ? skinned->UIStyle() : uiStyle_;
}

void TkivForm::DrawMenuBar(const RECT& rect) {
  if (MenuStyle() != TkivUIStyle::MacOS) return;
  ui::TBitmap picture;
  LoadSkinBitmap(picture, "MACOS_MENU_BAR");
  menuBar_->Canvas().StretchDraw(rect, picture);
}

bool TkivForm::DrawMenuButton(ui::TToolButton& button, bool hot, bool pressed) {
  ui::TCanvas& canvas = menuBar_->Canvas();
  const TkivUIStyle style = MenuStyle();
  if (auto* skinned = dynamic_cast<TkivMainMenu*>(menu_)) {
    skinned->ApplyFont(canvas.Font());
    if (!skinned->UseSystemFont()) canvas.Font().SetColor(skinned->FontColor());
  }
  if (!hot && !pressed) return false;
  RECT r = button.BoundsRect();
  canvas.Font().SetColor(GetThemeColor(style, kSelectedFont));
  if (style == TkivUIStyle::MacOS) {
    ui::TBitmap face(r.right - r.left, r.bottom - r.top);
    ui::TBitmap select;
    LoadSkinBitmap(select, "MACOS_MENU_SELECT");
    face.Canvas().StretchDraw({0, 0, face.Width(), face.Height()}, select);
    face.Canvas().Font().Assign(canvas.Font());
    face.Canvas().Brush().SetStyle(ui::bsClear);
    RECT text{0, 0, face.Width(), face.Height()};
    face.Canvas().DrawText(button.Caption(), text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    canvas.Draw(r.left, r.top, face);
    return true;
  }
  if (pressed) r.right -= 2;
  canvas.Brush().SetColor(GetThemeColor(style, kSelectedFill));
  canvas.FillRect(r);
  canvas.Brush().SetColor(GetThemeColor(style, kSelectedBorder));
  canvas.FrameRect(r);
  if (pressed) r.left += 2;
  r.top += 2;
  canvas.Brush().SetStyle(ui::bsClear);
  canvas.DrawText(button.Caption(), r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  return true;
}

}  // namespace kiv
