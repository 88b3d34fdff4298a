// Unit KIVToolBar: the native tool bar with its buttons drawn by the library: a flat bar whose
// hot, pressed and checked buttons are framed rectangles filled in the style's colours, with
// the button's image and caption centred on them. The library binds the bar's OnCustomDraw and
// OnCustomDrawButton itself; a handler assigned afterwards replaces its drawing.
#pragma once

#include "KIVThemes.h"
#include "ToolBar.h"

namespace kiv {

// How a button is drawn in a custom-draw state: left to the bar's own flat drawing, as a
// normal button (hot, or checked or pressed while not hot) or as a down one (hot and pressed).
enum class TkivToolButtonLook { Default, Normal, Down };
TkivToolButtonLook ToolButtonLook(ui::TCustomDrawState state);

// Where a button's image and caption go, measured from the button's own rectangle so buttons
// on a wrapped row draw on their row. image: the image list's size, {0, 0} without images.
struct TkivToolButtonPlaces {
  POINT image;
  POINT caption;
};
TkivToolButtonPlaces PlaceToolButtonContent(const RECT& button, SIZE image, int captionWidth,
                                           bool down);

class TkivToolBar : public ui::TToolBar, public IkivStyled {
  UI_CLASS(TkivToolBar, ui::TToolBar)
 public:
  explicit TkivToolBar(ui::TComponent* AOwner);

  TkivUIStyle UIStyle() const override { return style_; }
  // Custom is only stored; another style sets the colours and the transparency.
  void SetUIStyle(TkivUIStyle style) override;
  // Fill of a hot or checked button.
  TColor ButtonColor() const { return buttonColor_; }
  void SetButtonColor(TColor color);
  // Frame of every button the library draws.
  TColor ButtonBorderColor() const { return buttonBorderColor_; }
  void SetButtonBorderColor(TColor color);
  // Fill of a hot and pressed button.
  TColor ButtonDownColor() const { return buttonDownColor_; }
  void SetButtonDownColor(TColor color);

 private:
  void PaintBar(bool& DefaultDraw);
  void PaintButton(ui::TToolButton& button, ui::TCustomDrawState state, bool& DefaultDraw);
  void SetButtonColorField(TColor& field, TColor color);

  TkivUIStyle style_ = TkivUIStyle::Custom;
  TColor buttonColor_ = ui::clBtnFace;
  TColor buttonBorderColor_ = ui::clBlack;
  TColor buttonDownColor_ = ui::clBtnShadow;
};

}  // namespace kiv
