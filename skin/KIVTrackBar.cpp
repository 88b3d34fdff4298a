#include "KIVTrackBar.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "KIVPublic.h"

namespace kiv {

namespace {

constexpr int kBarPicture = 75;
constexpr int kSliderPicture = 76;
constexpr int kVerticalBarPicture = 77;
constexpr int kVerticalSliderPicture = 78;
constexpr int kTrackBarColor = 79;
constexpr UINT kPageRepeatMs = 500;

int ToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

// Where along the track the slider starts for the position: (position - min) x room div range.
int Along(std::int64_t position, std::int64_t min, std::int64_t max, int room) {
  if (min == max) return 0;
  return ToInt((position - min) * room / (max - min));
}

}  // namespace

POINT PlaceTrackSlider(const TkivTrackGeometry& g, int position) {
  const int roomX = static_cast<int>(g.control.cx - g.slider.cx);
  const int roomY = static_cast<int>(g.control.cy - g.slider.cy);
  if (g.orientation == kivHorizontal)
    return {Along(position, g.min, g.max, roomX), std::max(roomY, 0) / 2};
  return {std::max(roomX, 0) / 2, Along(position, g.min, g.max, roomY)};
}

int TrackValueAt(const TkivTrackGeometry& g, POINT pointer) {
  const bool horizontal = g.orientation == kivHorizontal;
  const int length = horizontal ? g.control.cx : g.control.cy;
  const int thickness = horizontal ? g.slider.cx : g.slider.cy;
  const int at = horizontal ? pointer.x : pointer.y;
  if (thickness == length) return 0;
  const std::int64_t range = std::int64_t{g.max} - g.min;
  return ToInt((std::int64_t{at} - thickness / 2) * range / (length - thickness) + g.min);
}

int TrackPageStep(int position, int pageSize, int sliderEdge, int pointerCoord, int pointerValue) {
  if (pointerCoord > sliderEdge)
    return ToInt(std::min<std::int64_t>(std::int64_t{position} + pageSize, pointerValue));
  if (pointerCoord < sliderEdge)
    return ToInt(std::max<std::int64_t>(std::int64_t{position} - pageSize, pointerValue));
  return position;
}

// --- TkivTrackBar ---

TkivTrackBar::TkivTrackBar(ui::TComponent* AOwner)
    : TCustomPanel(AOwner), slider_(new TkivImagePanel(this)) {
  SetControlStyle(ControlStyle() & ~ui::csAcceptsControls);
  slider_->SetParent(this);
  slider_->OnMouseDown = [this](ui::TComponent*, ui::TMouseButton, ui::TShiftState, int X, int Y) {
    StartDrag({X, Y});
  };
  SetUIStyle(GetOwnerFormStyle(AOwner));
  Announce();
}

TkivTrackBar::~TkivTrackBar() = default;

void TkivTrackBar::SetUIStyle(TkivUIStyle style) {
  if (style == style_) return;
  style_ = style;
  if (style == TkivUIStyle::Custom) return;
  SetColor(GetThemeColor(style, kTrackBarColor));
  FullRebuild();
}

void TkivTrackBar::SetBarImage(const ui::TPicture& value) {
  barImage_.Assign(value);
  FullRebuild();
}

void TkivTrackBar::SetSliderImage(const ui::TPicture& value) {
  slider_->Picture().Assign(value);
  slider_->Invalidate();
}

void TkivTrackBar::SetMax(int value) {
  max_ = value;
  Announce();
}

void TkivTrackBar::SetMin(int value) {
  min_ = value;
  Announce();
}

void TkivTrackBar::SetPosition(int value) {
  position_ = ClampToRange(value);
  Announce();
}

void TkivTrackBar::SetPageSize(int value) {
  if (value >= 0 && value <= 100) pageSize_ = value;
}

void TkivTrackBar::SetOrientation(TkivProgressBarOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  FullRebuild();
}

int TkivTrackBar::ClampToRange(int value) const {
  if (value < min_) return min_;
  return value > max_ ? max_ : value;
}

TkivTrackGeometry TkivTrackBar::Geometry() const {
  return {orientation_, {Width(), Height()}, {slider_->Width(), slider_->Height()}, min_, max_};
}

void TkivTrackBar::Announce() {
  if (position_ == announced_) return;
  announced_ = position_;
  const POINT at = PlaceTrackSlider(Geometry(), position_);
  slider_->SetBounds(at.x, at.y, slider_->Width(), slider_->Height());
  Invalidate();
  if (OnChange) OnChange(this);
  announced_ = position_;
}

void TkivTrackBar::FullRebuild() {
  Announce();
  RebuildBar();
  FitThickness();
  Invalidate();
}

void TkivTrackBar::RebuildBar() {
  const bool vertical = orientation_ == kivVertical;
  if (style_ == TkivUIStyle::Custom) {
    bar_.SetSize(barImage_.Width(), barImage_.Height());
    if (barImage_.HasGraphic()) bar_.Canvas().Draw(0, 0, *barImage_.Graphic());
    if (vertical) RotateBitmap(bar_);
    return;
  }
  ui::TBitmap& barPicture = barImage_.Bitmap();
  LoadSkinBitmap(barPicture, GetThemeString(style_, vertical ? kVerticalBarPicture : kBarPicture));
  bar_.SetSize(vertical ? Height() : Width(), barPicture.Height());
  DrawThreePartBitmap(barPicture, bar_.Canvas(), {0, 0, bar_.Width(), bar_.Height()}, false);
  if (vertical) RotateBitmap(bar_);
  LoadSkinBitmap(slider_->Picture().Bitmap(),
                 GetThemeString(style_, vertical ? kVerticalSliderPicture : kSliderPicture));
  slider_->SetAutoSize(true);
}

void TkivTrackBar::FitThickness() {
  if (orientation_ == kivHorizontal) SetHeight(std::max(barImage_.Height(), slider_->Height()));
  else SetWidth(std::max(barImage_.Height(), slider_->Width()));
  Invalidate();
}

void TkivTrackBar::Paint() {
  const RECT client = ClientRect();
  ui::TBitmap buffer(client.right, client.bottom);
  ui::TCanvas& canvas = buffer.Canvas();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(client);
  if (orientation_ == kivHorizontal) canvas.Draw(0, (client.bottom - bar_.Height()) / 2, bar_);
  else canvas.Draw((client.right - bar_.Width()) / 2, 0, bar_);
  Canvas().CopyRect(client, canvas, client);
}

void TkivTrackBar::Resize() {
  TCustomPanel::Resize();
  FullRebuild();
}

void TkivTrackBar::Loaded() {
  TCustomPanel::Loaded();
  // A layout sizes the bar while it loads, when no resize is announced: the bar is drawn for
  // its final size here.
  FullRebuild();
}

void TkivTrackBar::WndProc(ui::TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      // A paging or drag that lost the mouse cannot end in a release here.
      EndPress();
      return TCustomPanel::WndProc(Message);
    default:
      return TCustomPanel::WndProc(Message);
  }
}

void TkivTrackBar::PageTowards(POINT pointer) {
  const TkivTrackGeometry g = Geometry();
  const POINT place = PlaceTrackSlider(g, position_);
  const bool horizontal = orientation_ == kivHorizontal;
  SetPosition(TrackPageStep(position_, pageSize_, horizontal ? place.x : place.y,
                            horizontal ? pointer.x : pointer.y, TrackValueAt(g, pointer)));
}

void TkivTrackBar::PageTick() {
  // A tick after the button went up (its release lost to another window) pages nothing.
  if (!MouseCapture()) return EndPress();
  POINT pointer;
  if (!GetCursorPos(&pointer) || !::ScreenToClient(Handle(), &pointer)) return EndPress();
  PageTowards(pointer);
}

void TkivTrackBar::MouseDown(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) {
  TCustomPanel::MouseDown(Button, Shift, X, Y);
  if (Button != ui::mbLeft) return;
  PageTowards({X, Y});
  if (pageTimer_) return;
  pageTimer_ = std::make_unique<ui::TTimer>(nullptr);
  pageTimer_->SetInterval(kPageRepeatMs);
  pageTimer_->OnTimer = [this](ui::TComponent*) { PageTick(); };
}

void TkivTrackBar::StartDrag(POINT inSlider) {
  grabOffset_ = orientation_ == kivHorizontal ? inSlider.x : inSlider.y;
  dragging_ = true;
  SetMouseCapture(true);
}

void TkivTrackBar::MouseMove(ui::TShiftState Shift, int X, int Y) {
  TCustomPanel::MouseMove(Shift, X, Y);
  if (dragging_) {
    const TkivTrackGeometry g = Geometry();
    if (orientation_ == kivHorizontal)
      slider_->SetLeft(std::clamp(X - grabOffset_, 0, std::max(Width() - slider_->Width(), 0)));
    else
      slider_->SetTop(std::clamp(Y - grabOffset_, 0, std::max(Height() - slider_->Height(), 0)));
    // The position is announced one move late, as the player window expects.
    if (position_ != announced_) {
      if (OnChange) OnChange(this);
      announced_ = position_;
    }
    position_ = ClampToRange(TrackValueAt(g, {X, Y}));
    return;
  }
  if (X < 0 || X > Width() || Y < 0 || Y > Height()) pageTimer_.reset();
}

void TkivTrackBar::MouseUp(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) {
  TCustomPanel::MouseUp(Button, Shift, X, Y);
  EndPress();
  SetMouseCapture(false);
}

void TkivTrackBar::EndPress() {
  pageTimer_.reset();
  dragging_ = false;
}

}  // namespace kiv
