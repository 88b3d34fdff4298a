// TLabel: text painted on its parent, without a window of its own. It sizes itself to its text
// (AutoSize; with WordWrap only its height follows, the width stays), aligns the text, shows
// the parent through it when Transparent, and hands the focus to FocusControl when its
// caption's accelerator is pressed.
#pragma once

#include "CustomControl.h"

namespace ui {

class TLabel : public TGraphicControl {
  UI_CLASS(TLabel, TGraphicControl)
 public:
  explicit TLabel(TComponent* AOwner);

  // An auto-sized label takes the place given and keeps the size of its text (with WordWrap,
  // the width given and the height of its text).
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  // "&" in the caption marks the accelerator (and "&&" is a plain ampersand) while set.
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* value);

 protected:
  void WndProc(TMessage& Message) override;
  void Paint() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  UINT TextFlags() const;
  // The text's size when laid out in width (which only word wrap uses).
  SIZE TextSize(int width) const;
  void AdjustBounds();

  bool autoSize_ = true;
  bool wordWrap_ = false;
  TAlignment alignment_ = taLeftJustify;
  bool transparent_ = false;
  TWinControl* focusControl_ = nullptr;
};

}  // namespace ui
