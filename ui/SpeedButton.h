// TSpeedButton: a button without a window of its own (it never takes the focus), with a glyph
// and a caption. Buttons of one GroupIndex (not 0) on one parent stay down when clicked and
// let the others of the group up; with AllowAllUp a click on the button that is down lets it
// up too. A Flat button shows its edge only while the mouse is over it or it is down.
#pragma once

#include "Bitmap.h"
#include "CustomControl.h"

namespace ui {

class TSpeedButton : public TGraphicControl {
  UI_CLASS(TSpeedButton, TGraphicControl)
 public:
  explicit TSpeedButton(TComponent* AOwner);

  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value);
  bool Down() const { return down_; }
  // Only a button of a group can be down; putting one down lets the others of its group up.
  void SetDown(bool value);
  // The glyph's bottom-left pixel is its transparent colour.
  TBitmap& Glyph() { return glyph_; }
  void SetGlyph(const TBitmap& value);

 protected:
  void WndProc(TMessage& Message) override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Click() override;

 private:
  void SetPressed(bool value);
  void GroupChanged();
  void DrawFace(TCanvas& canvas, RECT& rect);
  void DrawContents(TCanvas& canvas, const RECT& rect);

  bool flat_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool down_ = false;
  bool pressed_ = false;  // the left button is held on it, with the mouse inside
  bool holding_ = false;  // the left button went down on it and is not yet up
  bool hot_ = false;      // the mouse is over it
  TBitmap glyph_;
};

}  // namespace ui
