// TColorDialog: the system's colour dialog: the colour it starts with and returns, and the
// sixteen custom colours as lines "ColorA=00bbggrr" .. "ColorP=..." (hexadecimal COLORREFs).
// Execute goes through the application's ChooseColorSink, so tests can answer it.
#pragma once

#include "Color.h"
#include "Component.h"
#include "StringList.h"

namespace ui {

class TColorDialog : public TComponent {
  UI_CLASS(TColorDialog, TComponent)
 public:
  explicit TColorDialog(TComponent* AOwner) : TComponent(AOwner) {}

  TColor Color() const { return color_; }
  void SetColor(TColor value) { color_ = value; }
  TStringList& CustomColors() { return customColors_; }
  // Shows the dialog; true when the user confirmed a colour (then in Color and CustomColors).
  bool Execute();

 private:
  TColor color_ = clBlack;
  TStringList customColors_;
};

}  // namespace ui
