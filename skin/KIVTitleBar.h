// Unit KIVTitleBar: the caption strip a form skin puts at its top in place of the system
// caption. It draws its picture sections, the caption, the control-box button or program icon
// at the left and the buttons at the right (close, maximise, minimise, help, custom), runs the
// buttons' actions, drags the window, maximises it on a double click, and gives the window its
// region with rounded top corners.
#pragma once

#include <functional>
#include <memory>

#include "Bitmap.h"
#include "Collection.h"
#include "Panel.h"
#include "KIVThemes.h"
#include "KIVTitleBarLayout.h"
#include "Menus.h"
#include "Picture.h"

namespace kiv {

class TkivTitleBar;

using TkivTitleBarButtonClickEvent = std::function<void(ui::TComponent* Sender, int ButtonIndex)>;

class TkivTitleBarButton : public ui::TCollectionItem<TkivTitleBarButton> {
 public:
  explicit TkivTitleBarButton(Collection& collection);

  TkivTitleBarBtnType ButtonType() const { return buttonType_; }
  // A second control-box button is refused: a message box while running, an exception while
  // a layout is being applied; the old type stays.
  void SetButtonType(TkivTitleBarBtnType value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  int Top() const { return top_; }
  void SetTop(int value);
  TkivUIStyle UIStyle() const { return uiStyle_; }
  void SetUIStyle(TkivUIStyle value);
  ui::TPopupMenu* ControlBoxMenu() const { return controlBoxMenu_; }
  void SetControlBoxMenu(ui::TPopupMenu* value);
  ui::TPicture& PicNormal() { return pictures_[0]; }
  ui::TPicture& PicMouseOn() { return pictures_[1]; }
  ui::TPicture& PicMouseDown() { return pictures_[2]; }
  void SetPicNormal(const ui::TPicture& value) { pictures_[0].Assign(value); }
  void SetPicMouseOn(const ui::TPicture& value) { pictures_[1].Assign(value); }
  void SetPicMouseDown(const ui::TPicture& value) { pictures_[2].Assign(value); }

  void Assign(const TkivTitleBarButton& source);
  // The pictures of the style for the button's type (theme entries 48-62), its top (entry 69)
  // and transparency (entry 66); a custom button keeps its pictures and top.
  void LoadButtonPictures();
  // A maximise button shows the restore pictures while its window is maximised.
  void UpdateMaxButtonPictures();

 private:
  TkivTitleBar& Bar() const;
  void LoadPictures(int firstEntry);

  TkivTitleBarBtnType buttonType_ = kivCustom;
  bool transparent_ = false;
  int top_ = 2;
  TkivUIStyle uiStyle_ = TkivUIStyle::DeepBlue;
  ui::TPopupMenu* controlBoxMenu_ = nullptr;
  ui::TPicture pictures_[3];
};

class TkivTitleBarSection : public ui::TCollectionItem<TkivTitleBarSection> {
 public:
  explicit TkivTitleBarSection(Collection& collection);

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  int Width() const { return width_; }
  void SetWidth(int value);
  TkivTitleBarAlign Align() const { return align_; }
  // A second client section is refused like a second control-box button.
  void SetAlign(TkivTitleBarAlign value);
  ui::TPicture& Picture() { return picture_; }
  void SetPicture(const ui::TPicture& value) { picture_.Assign(value); }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);

  void Assign(const TkivTitleBarSection& source);

 private:
  void PictureChanged();

  bool autoSize_ = false;
  int width_ = 10;
  TkivTitleBarAlign align_ = kivLeft;
  ui::TPicture picture_;
  bool stretch_ = false;
};

using TkivTitleBarButtons = ui::TOwnedCollection<TkivTitleBarButton>;
using TkivTitleBarSections = ui::TOwnedCollection<TkivTitleBarSection>;

class TkivTitleBar : public ui::TCustomPanel, public IkivStyled {
  UI_CLASS(TkivTitleBar, ui::TCustomPanel)
 public:
  explicit TkivTitleBar(ui::TComponent* AOwner);
  ~TkivTitleBar() override;

  TkivUIStyle UIStyle() const override { return uiStyle_; }
  void SetUIStyle(TkivUIStyle value) override;
  TkivTitleBarSections& Sections() { return sections_; }
  void SetSections(const TkivTitleBarSections& value) { sections_.Assign(value); }
  TkivTitleBarButtons& Buttons() { return buttons_; }
  void SetButtons(const TkivTitleBarButtons& value) { buttons_.Assign(value); }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  int ButtonInterval() const { return buttonInterval_; }
  void SetButtonInterval(int value) { Store(buttonInterval_, value); }
  bool FormActive() const { return formActive_; }
  void SetFormActive(bool value) { Store(formActive_, value); }
  int LeftBtnXOffset() const { return leftBtnXOffset_; }
  void SetLeftBtnXOffset(int value) { Store(leftBtnXOffset_, value); }
  int RightBtnXOffset() const { return rightBtnXOffset_; }
  void SetRightBtnXOffset(int value) { Store(rightBtnXOffset_, value); }
  bool DrawAppIcon() const { return drawAppIcon_; }
  void SetDrawAppIcon(bool value) { Store(drawAppIcon_, value); }
  int RegionRadius() const { return regionRadius_; }

  TkivTitleBarButtonClickEvent OnCustomBtnsClick;
  TkivTitleBarButtonClickEvent OnHelpBtnClick;

  // The button under a point of the bar, -1 for none.
  int ButtonAt(POINT point) const;
  // Runs the action of the button (maximise or restore, minimise, close, control-box menu).
  void DoButtonAction(int index);
  // Gives the form the bar lies on the rounded region of the radius.
  void SetFormRegion(int radius);
  // The stored radius, when the bar sits on a form skin.
  void UpdateFormRegion();

 protected:
  void WndProc(ui::TMessage& Message) override;
  void Paint() override;
  void Notification(ui::TComponent* AComponent, ui::TOperation Operation) override;
  virtual void DrawSections(ui::TBitmap& buffer);
  virtual void DrawButtons(ui::TBitmap& buffer);
  void MouseDown(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) override;
  void MouseMove(ui::TShiftState Shift, int X, int Y) override;
  void MouseUp(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) override;

 private:
  friend class TkivTitleBarButton;
  template <typename T>
  void Store(T& field, T value) {
    field = value;
    Invalidate();
  }
  TitleButtonLayout Layout() const;
  POINT CursorPoint() const;
  bool OnFormSkin() const;
  bool HostMaximized() const;
  void DrawButtonPicture(ui::TCanvas& canvas, TkivTitleBarButton& button, const RECT& rect,
                         bool hot);

  TkivUIStyle uiStyle_ = TkivUIStyle::DeepBlue;
  TkivTitleBarSections sections_;
  TkivTitleBarButtons buttons_;
  bool autoSize_ = false;
  int buttonInterval_ = 0;
  bool formActive_ = true;
  int leftBtnXOffset_ = 0;
  int rightBtnXOffset_ = 0;
  int regionRadius_ = 0;
  bool drawAppIcon_ = false;
  bool mouseDown_ = false;
  // Cleared when the bar goes: a button's action or event may free the window it lies on.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace kiv
