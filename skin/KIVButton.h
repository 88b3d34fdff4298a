// Unit KIVButton: the push buttons and the two-state controls drawn from pictures. Every
// control here paints itself completely through one off-screen bitmap, from one picture per
// state (pressed, mouse on, normal, disabled) loaded anew at each paint: a named bitmap of the
// program for the theme styles, or pictures set by hand.
#pragma once

#include <memory>
#include <string>

#include "Bitmap.h"
#include "CustomControl.h"
#include "KIVThemes.h"
#include "Picture.h"
#include "Timer.h"

namespace kiv {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Where a button's glyph and caption go: glyph is the glyph's top-left corner, caption the
// origin of the caption's line.
struct TkivGlyphPlacement {
  POINT glyph;
  POINT caption;
};
// Places a glyph of glyphSize beside a caption of textSize on a control of controlSize, with
// spacing pixels between them (halves rounded toward zero).
TkivGlyphPlacement PlaceGlyph(TButtonLayout layout, SIZE controlSize, SIZE textSize,
                              SIZE glyphSize, int spacing);
// The client size a two-state control fits itself to: its box, then the caption 4 pixels
// right of it, with 4 pixels to spare around them.
SIZE FitBoxAndCaption(SIZE box, int absFontHeight, int textWidth);
// The extent of one line of text in the font as it is drawn (an accelerator's ampersand takes
// no room).
SIZE LineExtent(const ui::TFont& font, const std::string& text);

// The common base: state pictures, the double-buffered paint, mouse and keyboard states, the
// repeat timer while the left button is held, default and cancel keys, accelerators and the
// click that hands the button's modal result to its form. A push button is the default button
// while it has the focus (ui/PushButton.h); Default marks the one Enter presses otherwise.
class TkivCustomButton : public ui::TCustomControl, public IkivStyled {
  UI_CLASS(TkivCustomButton, ui::TCustomControl)
 public:
  explicit TkivCustomButton(ui::TComponent* AOwner);
  ~TkivCustomButton() override;

  // The text drawn on the control, kept by the control and given to its window as its text.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }
  TkivUIStyle UIStyle() const override { return style_; }
  void SetUIStyle(TkivUIStyle style) override;
  int MouseContinuouslyDownInterval() const { return repeatInterval_; }
  void SetMouseContinuouslyDownInterval(int value) { repeatInterval_ = value; }
  void SetEnabled(bool value) override;

  virtual std::string PicNormalResName() const { return picNormal_; }
  virtual std::string PicMouseOnResName() const { return picMouseOn_; }
  virtual std::string PicMouseDownResName() const { return picMouseDown_; }
  virtual void SetPicNormalResName(const std::string& value);
  virtual void SetPicMouseOnResName(const std::string& value);
  virtual void SetPicMouseDownResName(const std::string& value);
  // The module the resource pictures come from; 0 stands for the program's own.
  virtual HINSTANCE ResHandle() const { return resHandle_; }
  virtual void SetResHandle(HINSTANCE value);

  // Whether the left button is held on the control (or Space or Enter on it); whether the
  // mouse is over it.
  bool Pressed() const { return pressed_; }
  bool MouseOn() const { return mouseOn_; }
  // Whether the repeat timer runs.
  bool Repeating() const { return repeatTimer_ != nullptr; }

  ui::TNotifyEvent OnMouseEnter;
  ui::TNotifyEvent OnMouseExit;
  ui::TNotifyEvent OnMouseContinuouslyDown;

 protected:
  virtual void UpdateAutoSize();
  virtual void CaptionChanged() {}
  virtual void FontChanged();
  virtual void TransparentChanged();
  virtual void EnabledChanged() {}
  virtual void StyleChanged();
  virtual void DrawPicture(ui::TCanvas& canvas, ui::TBitmap& picture);
  virtual void DrawCaption(ui::TCanvas& canvas, const std::string& caption);
  virtual void DrawFocus(ui::TCanvas& canvas);
  // Each fills picture and answers whether it could.
  virtual bool LoadNormalPicture(ui::TBitmap& picture);
  virtual bool LoadMouseOnPicture(ui::TBitmap& picture);
  virtual bool LoadMouseDownPicture(ui::TBitmap& picture);
  virtual bool LoadDisabledPicture(ui::TBitmap& picture);
  // Takes the resource names of the style's pictures.
  virtual void ApplyThemePictures(TkivUIStyle style) = 0;
  // A push button takes Enter while it has the focus and answers the dialog's Enter as its
  // default button; the two-state controls leave Enter to the dialog.
  virtual bool ActsAsPushButton() const { return true; }

  void Paint() override;
  void WndProc(ui::TMessage& Message) override;
  void Click() override;
  void MouseMove(ui::TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void KeyDown(WORD& Key, ui::TShiftState Shift) override;
  void KeyUp(WORD& Key, ui::TShiftState Shift) override;

  // Draws the caption in rect as enabled, disabled or pressed.
  void DrawButtonText(ui::TCanvas& canvas, const std::string& caption, RECT rect, UINT format);
  // Loads a bitmap of the resource module by name.
  bool LoadResourcePicture(const std::string& name, ui::TBitmap& picture) const;
  bool PictureTransparent() const { return pictureTransparent_; }
  void SetPictureTransparent(bool value) { pictureTransparent_ = value; }
  // The name fields, written without the accessors' side effects.
  void StoreResourceNames(const std::string& normal, const std::string& mouseOn,
                          const std::string& mouseDown);
  void StoreStyle(TkivUIStyle style) { style_ = style; }

 private:
  void StartRepeat();
  void StopRepeat();
  void RepeatTick();
  // Whether the dialog's Enter is this control's now.
  bool TakesEnter() const;
  // Capture lost, cancel mode or focus gone: the press cannot end in a release here.
  void AbandonPress();

  std::string picNormal_, picMouseDown_, picMouseOn_;
  bool autoSize_ = false;
  std::string caption_;
  bool tabStop_ = false;
  bool cancel_ = false, default_ = false, transparent_ = false;
  int modalResult_ = 0;
  TkivUIStyle style_ = TkivUIStyle::Custom;
  bool pictureTransparent_ = false;
  std::unique_ptr<ui::TTimer> repeatTimer_;
  int repeatInterval_ = 100;
  HINSTANCE resHandle_;
  bool mouseOn_ = false, pressed_ = false;
};

// The push button: the style's button picture stretched by nine-grid, with an optional glyph.
class TkivButton : public TkivCustomButton {
  UI_CLASS(TkivButton, TkivCustomButton)
 public:
  explicit TkivButton(ui::TComponent* AOwner);

  ui::TBitmap& Glyph() { return glyph_; }
  void SetGlyph(const ui::TBitmap& value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);

  // Empty unless the style is Custom: a styled button keeps no names of its own.
  std::string PicNormalResName() const override;
  std::string PicMouseOnResName() const override;
  std::string PicMouseDownResName() const override;
  // Each turns the button to Custom first.
  void SetPicNormalResName(const std::string& value) override;
  void SetPicMouseOnResName(const std::string& value) override;
  void SetPicMouseDownResName(const std::string& value) override;
  // 0 while the program's own module is held.
  HINSTANCE ResHandle() const override;

 protected:
  void StyleChanged() override;
  void DrawPicture(ui::TCanvas& canvas, ui::TBitmap& picture) override;
  void DrawCaption(ui::TCanvas& canvas, const std::string& caption) override;
  void DrawFocus(ui::TCanvas& canvas) override;
  void ApplyThemePictures(TkivUIStyle style) override;
  bool CanResize(int& NewWidth, int& NewHeight) override;

 private:
  ui::TBitmap glyph_;
  TButtonLayout layout_ = blGlyphLeft;
  POINT captionOrigin_{0, 0};
  int spacing_ = 4;
};

// A button drawn from four pictures set by hand; its style stays Custom.
class TkivImageButton : public TkivCustomButton {
  UI_CLASS(TkivImageButton, TkivCustomButton)
 public:
  explicit TkivImageButton(ui::TComponent* AOwner);

  ui::TPicture& PicNormal() { return picNormalImage_; }
  ui::TPicture& PicMouseOn() { return picMouseOnImage_; }
  ui::TPicture& PicMouseDown() { return picMouseDownImage_; }
  ui::TPicture& PicDisabled() { return picDisabledImage_; }
  void SetPicNormal(const ui::TPicture& value);
  void SetPicMouseOn(const ui::TPicture& value);
  void SetPicMouseDown(const ui::TPicture& value);
  void SetPicDisabled(const ui::TPicture& value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);

 protected:
  void UpdateAutoSize() override;
  void DrawPicture(ui::TCanvas& canvas, ui::TBitmap& picture) override;
  bool LoadNormalPicture(ui::TBitmap& picture) override;
  bool LoadMouseOnPicture(ui::TBitmap& picture) override;
  bool LoadMouseDownPicture(ui::TBitmap& picture) override;
  bool LoadDisabledPicture(ui::TBitmap& picture) override;
  void ApplyThemePictures(TkivUIStyle) override {}

 private:
  void SetPicture(ui::TPicture& own, const ui::TPicture& value);
  bool LoadStatePicture(const ui::TPicture& state, ui::TBitmap& picture) const;

  ui::TPicture picNormalImage_, picMouseOnImage_, picMouseDownImage_, picDisabledImage_;
  bool stretch_ = false;
};

// The two-state controls: a box picture with the caption to its right, and Checked.
// Made with ui::Create: the style is written in the second phase of construction.
class TkivCustomButtonEx : public TkivCustomButton {
  UI_CLASS(TkivCustomButtonEx, TkivCustomButton)
 public:
  explicit TkivCustomButtonEx(ui::TComponent* AOwner);

  bool Checked() const { return checked_; }
  // Raises no OnClick; nothing happens when the value is unchanged.
  void SetChecked(bool value);
  // Where the caption was drawn last (the focus frame goes around it).
  const RECT& CaptionRect() const { return captionRect_; }

 protected:
  void AfterConstruction() override;
  virtual void ActivateCheck() {}
  virtual void CheckedChanged() {}
  virtual int GetBoxWidth() = 0;
  virtual int GetBoxHeight() = 0;

  void UpdateAutoSize() override;
  void CaptionChanged() override;
  void FontChanged() override;
  void StyleChanged() override;
  void DrawPicture(ui::TCanvas& canvas, ui::TBitmap& picture) override;
  void DrawCaption(ui::TCanvas& canvas, const std::string& caption) override;
  void DrawFocus(ui::TCanvas& canvas) override;
  bool ActsAsPushButton() const override { return false; }
  // Every activation (mouse, Space or Enter, accelerator) comes here: focus, check, click.
  void Click() override;
  void Resize() override;

 private:
  bool checked_ = false;
  RECT captionRect_{0, 0, 0, 0};
};

// Toggles at every activation.
class TkivCheckBox : public TkivCustomButtonEx {
  UI_CLASS(TkivCheckBox, TkivCustomButtonEx)
 public:
  explicit TkivCheckBox(ui::TComponent* AOwner);

 protected:
  virtual void Toggled() {}
  // The first of the eight theme entries of the box pictures.
  virtual int FirstThemeEntry() const;

  void TransparentChanged() override;
  void EnabledChanged() override;
  void StyleChanged() override;
  void ApplyThemePictures(TkivUIStyle style) override;
  void ActivateCheck() override;
  void CheckedChanged() override;
  int GetBoxWidth() override { return BoxSize().cx; }
  int GetBoxHeight() override { return BoxSize().cy; }

 private:
  SIZE BoxSize();
};

// Checks itself (never clears itself) and clears the radio buttons of its group: those
// directly on the same parent with the same GroupIndex. As in the system's dialogs a group is
// one Tab stop, its checked button (the first in tab order while none is), and the arrow keys
// move the choice within it.
class TkivRadioButton : public TkivCheckBox {
  UI_CLASS(TkivRadioButton, TkivCheckBox)
 public:
  explicit TkivRadioButton(ui::TComponent* AOwner);

  void SetParent(ui::TWinControl* AParent) override;
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);

 protected:
  int FirstThemeEntry() const override;
  void TransparentChanged() override;
  void ApplyThemePictures(TkivUIStyle style) override;
  void ActivateCheck() override;
  void CheckedChanged() override;
  void WndProc(ui::TMessage& Message) override;
  // An arrow key activates the group's button before (Left, Up) or after (Right, Down) this
  // one, round past the ends, as a click on it would.
  void KeyDown(WORD& Key, ui::TShiftState Shift) override;

 private:
  int groupIndex_ = 0;
};

}  // namespace kiv
