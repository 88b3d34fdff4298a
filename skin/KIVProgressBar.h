// Unit KIVProgressBar: a flat skinned progress bar, horizontal or vertical and always 12 pixels
// thick: the filled part a picture stretched over the progress, the rest in its own colour,
// an optional centred percentage and a one-pixel border, drawn off-screen in one copy.
#pragma once

#include <cstdint>
#include <string>

#include "KIVThemes.h"
#include "Panel.h"
#include "Picture.h"

namespace kiv {

enum TkivProgressBarOrientation { kivHorizontal = 0, kivVertical = 1 };

// (position - min) x 100 / (max - min), truncated toward zero and not clamped; 0 when min and
// max are equal. Worked in 64 bits: wide ranges overflow 32-bit products.
std::int64_t ProgressPercent(int min, int max, int position);
// How much of a span of pixels is filled: nothing at or below min (or when the range is
// empty), all of it above max, else the share of the range.
int ProgressFillLength(int min, int max, int position, int span);

class TkivProgressBar : public ui::TCustomPanel, public IkivStyled {
  UI_CLASS(TkivProgressBar, ui::TCustomPanel)
 public:
  static constexpr int kThickness = 12;

  explicit TkivProgressBar(ui::TComponent* AOwner);

  TkivUIStyle UIStyle() const override { return style_; }
  void SetUIStyle(TkivUIStyle style) override;
  ui::TColor CaptionColor() const { return captionColor_; }
  void SetCaptionColor(ui::TColor value);
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool value);
  bool SmartShowCaption() const { return smartShowCaption_; }
  void SetSmartShowCaption(bool value);
  int Max() const { return max_; }
  void SetMax(int value);
  int Min() const { return min_; }
  void SetMin(int value);
  int Position() const { return position_; }
  void SetPosition(int value);
  TkivProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TkivProgressBarOrientation value);
  ui::TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(ui::TColor value);
  // The bar's own colour of the empty part, apart from the panel's.
  ui::TColor Color() const { return color_; }
  void SetColor(ui::TColor value);
  ui::TPicture& Picture() { return picture_; }
  void SetPicture(const ui::TPicture& value);

 protected:
  void Paint() override;
  bool CanResize(int& NewWidth, int& NewHeight) override;

 private:
  void UpdateCaption();
  void ApplyTheme();

  TkivUIStyle style_ = TkivUIStyle::Custom;
  ui::TColor captionColor_ = ui::clBlack;
  bool showCaption_ = true;
  bool smartShowCaption_ = false;
  int max_ = 100;
  int min_ = 0;
  int position_ = 50;
  TkivProgressBarOrientation orientation_ = kivHorizontal;
  ui::TColor borderColor_ = ui::clBlack;
  ui::TColor color_ = ui::clBtnFace;
  ui::TPicture picture_;
};

}  // namespace kiv
