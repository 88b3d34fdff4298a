#include "KIVScrollBar.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "KIVPublic.h"

namespace kiv {

namespace {

constexpr int kScrollBarColor = 84;
constexpr int kTopButtonPictures = 85;     // normal, mouse-on, mouse-down
constexpr int kBottomButtonPictures = 88;  // normal, mouse-on, mouse-down
constexpr int kThumbPicture = 91;
constexpr int kShortestThumb = 18;
constexpr int kLineRepeatMs = 100;
constexpr int kHeightAtCreation = 185;

// Copies one column of width w starting at x out of the picture.
void CutPiece(const ui::TBitmap& picture, int x, int w, ui::TBitmap& piece) {
  piece.SetSize(w, picture.Height());
  if (w <= 0 || picture.Height() <= 0) return;
  BitBlt(piece.MemoryDc(), 0, 0, w, picture.Height(), picture.MemoryDc(), x, 0, SRCCOPY);
}

void DrawPiece(ui::TCanvas& canvas, const RECT& rect, const ui::TBitmap& piece) {
  if (piece.Empty() || rect.right <= rect.left || rect.bottom <= rect.top) return;
  canvas.StretchDraw(rect, piece);
}

}  // namespace

int ScrollThumbLength(int lineButton, int pageSize, int trackLength) {
  if (lineButton > 0) return std::max(lineButton, kShortestThumb);
  const int share = pageSize < 10 || pageSize > 100 ? 10 : pageSize;
  return static_cast<int>(std::int64_t{share} * trackLength / 100);
}

TkivScrollBar::TkivScrollBar(ui::TComponent* AOwner)
    : TCustomPanel(AOwner), track_(new TkivScrollTrackBar(this)) {
  SetControlStyle(ControlStyle() & ~ui::csAcceptsControls);
  track_->SetParent(this);
  track_->SetUIStyle(TkivUIStyle::Custom);
  increment_ = MakeLineButton(+1);
  decrement_ = MakeLineButton(-1);
  SetBevelInner(ui::bvNone);
  SetBevelOuter(ui::bvNone);
  SetHeight(kHeightAtCreation);
  SetUIStyle(GetOwnerFormStyle(AOwner));
  Layout();
}

TkivScrollBar::~TkivScrollBar() = default;

TkivImageButton* TkivScrollBar::MakeLineButton(int direction) {
  auto* button = ui::Create<TkivImageButton>(this);
  button->SetParent(this);
  // The button pictures are rounded: their corners, keyed on the top-left pixel, show the bar.
  button->SetTransparent(true);
  button->SetMouseContinuouslyDownInterval(kLineRepeatMs);
  button->OnMouseContinuouslyDown = [this, direction](ui::TComponent*) { Step(direction); };
  return button;
}

void TkivScrollBar::Step(int direction) {
  // Worked wide: a step past the ends of the integers is clamped by the track, not wrapped.
  const std::int64_t target = std::int64_t{track_->Position()} + direction * std::int64_t{smallChange_};
  track_->SetPosition(static_cast<int>(std::clamp<std::int64_t>(
      target, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
}

void TkivScrollBar::SetLineButton(int value) {
  if (value == lineButton_) return;
  lineButton_ = value;
  ComposeThumb();
}

void TkivScrollBar::SetOrientation(TkivProgressBarOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  LoadThemePictures();
  Layout();
}

void TkivScrollBar::SetUIStyle(TkivUIStyle style) {
  if (style == style_) return;
  style_ = style;
  if (style == TkivUIStyle::Custom) return;
  SetColor(GetThemeColor(style, kScrollBarColor));
  track_->SetColor(Color());
  LoadThemePictures();
  Layout();
}

void TkivScrollBar::SetSmallChange(int value) {
  if (value >= 1 && value <= 32767) smallChange_ = value;
}

void TkivScrollBar::SetPageSize(int value) {
  track_->SetPageSize(value);
  ComposeThumb();
}

void TkivScrollBar::ShowThumb(bool visible) {
  if (track_->Slider().Visible() != visible) track_->Slider().SetVisible(visible);
}

void TkivScrollBar::LoadThemePictures() {
  if (style_ == TkivUIStyle::Custom) return;
  const bool vertical = orientation_ == kivVertical;
  track_->SetBarImage(ui::TPicture());

  ui::TBitmap thumb;
  LoadSkinBitmap(thumb, GetThemeString(style_, kThumbPicture));
  RotateBitmap(thumb);
  const int piece = thumb.Width() / 3;
  CutPiece(thumb, 0, piece, startCap_);
  CutPiece(thumb, piece, piece, middle_);
  CutPiece(thumb, 2 * piece, piece, endCap_);
  if (vertical)
    for (ui::TBitmap* p : {&startCap_, &middle_, &endCap_}) RotateBitmapClockwise(*p);

  auto load = [&](TkivImageButton& button, int firstEntry) {
    ui::TPicture picture;
    const auto take = [&](int entry, void (TkivImageButton::*set)(const ui::TPicture&)) {
      LoadSkinBitmap(picture.Bitmap(), GetThemeString(style_, entry));
      if (!vertical) RotateBitmap(picture.Bitmap());
      (button.*set)(picture);
    };
    take(firstEntry, &TkivImageButton::SetPicNormal);
    take(firstEntry + 1, &TkivImageButton::SetPicMouseOn);
    take(firstEntry + 2, &TkivImageButton::SetPicMouseDown);
    button.SetAutoSize(true);
  };
  load(*decrement_, kTopButtonPictures);
  load(*increment_, kBottomButtonPictures);
}

void TkivScrollBar::Layout() {
  // Setting the bar's own thickness resizes it, which lays out again.
  if (layingOut_) return;
  layingOut_ = true;
  track_->SetOrientation(orientation_);
  const int W = Width(), H = Height();
  if (orientation_ == kivVertical) {
    decrement_->SetBounds(0, 0, decrement_->Width(), decrement_->Height());
    track_->SetBounds(0, decrement_->Height(), decrement_->Width(),
                      std::max(H - increment_->Height() - decrement_->Height() - 1, 0));
    increment_->SetBounds(0, H - increment_->Height(), increment_->Width(), increment_->Height());
    SetWidth(decrement_->Width());
  } else {
    decrement_->SetBounds(0, 0, decrement_->Width(), decrement_->Height());
    track_->SetBounds(decrement_->Width(), 0,
                      std::max(W - increment_->Width() - decrement_->Width(), 0), decrement_->Height());
    increment_->SetBounds(W - increment_->Width(), 0, increment_->Width(), increment_->Height());
    SetHeight(decrement_->Height());
  }
  layingOut_ = false;
  ComposeThumb();
}

void TkivScrollBar::ComposeThumb() {
  const bool vertical = orientation_ == kivVertical;
  if (lineButton_ > 0 && lineButton_ < kShortestThumb) lineButton_ = kShortestThumb;
  const int length =
      ScrollThumbLength(lineButton_, track_->PageSize(), vertical ? track_->Height() : track_->Width());
  ui::TPicture thumb;
  ui::TBitmap& b = thumb.Bitmap();
  if (vertical) {
    b.SetSize(startCap_.Width(), length);
    const RECT mid{0, startCap_.Height(), b.Width(), b.Height() - endCap_.Height()};
    DrawPiece(b.Canvas(), {0, 0, startCap_.Width(), startCap_.Height()}, startCap_);
    DrawPiece(b.Canvas(), mid, middle_);
    DrawPiece(b.Canvas(), {0, mid.bottom, endCap_.Width(), mid.bottom + endCap_.Height()}, endCap_);
  } else {
    b.SetSize(length, startCap_.Height());
    const RECT mid{startCap_.Width(), 0, b.Width() - endCap_.Width(), b.Height()};
    DrawPiece(b.Canvas(), {0, 0, startCap_.Width(), startCap_.Height()}, startCap_);
    DrawPiece(b.Canvas(), mid, middle_);
    DrawPiece(b.Canvas(), {mid.right, 0, mid.right + endCap_.Width(), endCap_.Height()}, endCap_);
  }
  track_->SetSliderImage(thumb);
  track_->Slider().SetAutoSize(true);
}

void TkivScrollBar::WndProc(ui::TMessage& Message) {
  switch (Message.Msg) {
    case ui::CM_COLORCHANGED:
      TCustomPanel::WndProc(Message);
      return track_->SetColor(Color());
    case WM_SIZE:
      TCustomPanel::WndProc(Message);
      return Layout();
    default:
      return TCustomPanel::WndProc(Message);
  }
}

void TkivScrollBar::Resize() {
  TCustomPanel::Resize();
  Layout();
}

}  // namespace kiv
