// Unit KIVComboBox: the class library's combo box with the style's flat frame and a drop-down
// button of its own: a fill in ButtonColor (the Aqua picture for MacOS) with a small arrow in
// ArrowColor, grey with a white shadow while disabled. The colour box and the font boxes build
// on TkivCustomComboBox.
#pragma once

#include <array>

#include "ComboBox.h"
#include "KIVFramedControl.h"

namespace kiv {

// The drop-down arrow's reference point in a button rectangle: four pixels left of the
// button's middle, at its middle height.
POINT ComboArrowOrigin(const RECT& button);
// The arrow: a triangle pointing down, six pixels wide and three high, from origin.
std::array<POINT, 3> ComboArrowTriangle(POINT origin);

class TkivCustomComboBox : public TkivFramed<ui::TCustomComboBox>, public IkivStyled {
  UI_CLASS(TkivCustomComboBox, TkivFramed<ui::TCustomComboBox>)
 public:
  explicit TkivCustomComboBox(ui::TComponent* AOwner);

  TkivUIStyle UIStyle() const override { return style_; }
  // Always sets ButtonColor (entry 74), ArrowColor and BorderColor (entry 8) from the style;
  // Custom makes them black.
  void SetUIStyle(TkivUIStyle style) override;
  TColor ArrowColor() const { return arrowColor_; }
  void SetArrowColor(TColor color);
  TColor ButtonColor() const { return buttonColor_; }
  void SetButtonColor(TColor color);

 protected:
  void WndProc(ui::TMessage& Message) override;

 private:
  void DrawButton();

  TkivUIStyle style_ = TkivUIStyle::Custom;
  TColor arrowColor_ = ui::clBlack;
  TColor buttonColor_ = ui::clBlack;
};

class TkivComboBox : public TkivCustomComboBox {
  UI_CLASS(TkivComboBox, TkivCustomComboBox)
 public:
  using TkivCustomComboBox::TkivCustomComboBox;
};

}  // namespace kiv
