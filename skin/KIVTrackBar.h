// Unit KIVTrackBar: the skinned slider. A bar picture drawn across the control and a movable
// slider (a child picture panel showing the slider picture) that the user drags, or pages towards the
// pointer by holding the mouse on the bar. The placement of the slider and the value under a
// pointer are plain functions, worked in 64 bits so that wide ranges cannot overflow.
#pragma once

#include <memory>

#include "Bitmap.h"
#include "KIVImagePanel.h"
#include "KIVProgressBar.h"
#include "KIVThemes.h"
#include "Panel.h"
#include "Picture.h"
#include "Timer.h"

namespace kiv {

// What the slider's placement depends on: the control's and the slider's size and the range.
struct TkivTrackGeometry {
  TkivProgressBarOrientation orientation;
  SIZE control;
  SIZE slider;
  int min, max;
};
// The slider's top-left corner for the position; Min lies at the left or top end.
POINT PlaceTrackSlider(const TkivTrackGeometry& g, int position);
// The value under the pointer (unlimited by the range, but within the integers): 0 when the
// slider is as long as the control.
int TrackValueAt(const TkivTrackGeometry& g, POINT pointer);
// One paging step from position towards the pointer: at most pageSize, never past the value
// under the pointer; no change when the pointer lies on the slider's leading edge.
int TrackPageStep(int position, int pageSize, int sliderEdge, int pointerCoord, int pointerValue);

class TkivTrackBar : public ui::TCustomPanel, public IkivStyled {
  UI_CLASS(TkivTrackBar, ui::TCustomPanel)
 public:
  explicit TkivTrackBar(ui::TComponent* AOwner);
  ~TkivTrackBar() override;

  TkivUIStyle UIStyle() const override { return style_; }
  void SetUIStyle(TkivUIStyle style) override;
  ui::TPicture& BarImage() { return barImage_; }
  void SetBarImage(const ui::TPicture& value);
  ui::TPicture& SliderImage() { return slider_->Picture(); }
  virtual void SetSliderImage(const ui::TPicture& value);
  int Max() const { return max_; }
  void SetMax(int value);
  int Min() const { return min_; }
  void SetMin(int value);
  int Position() const { return position_; }
  void SetPosition(int value);
  int PageSize() const { return pageSize_; }
  void SetPageSize(int value);
  TkivProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TkivProgressBarOrientation value);

  // The slider window, and whether the paging timer runs.
  TkivImagePanel& Slider() { return *slider_; }
  bool Paging() const { return pageTimer_ != nullptr; }
  bool Dragging() const { return dragging_; }

  ui::TNotifyEvent OnChange;

 protected:
  virtual void RebuildBar();

  void Paint() override;
  void WndProc(ui::TMessage& Message) override;
  void Resize() override;
  void Loaded() override;
  void MouseDown(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) override;
  void MouseMove(ui::TShiftState Shift, int X, int Y) override;
  void MouseUp(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) override;

 private:
  TkivTrackGeometry Geometry() const;
  // Below Min gives Min, above Max gives Max.
  int ClampToRange(int value) const;
  void Announce();
  void FullRebuild();
  void FitThickness();
  void PageTowards(POINT pointer);
  void PageTick();
  void StartDrag(POINT inSlider);
  // The button went up, or the capture went elsewhere: paging and dragging end.
  void EndPress();

  TkivUIStyle style_ = TkivUIStyle::Custom;
  ui::TPicture barImage_;
  ui::TBitmap bar_;
  TkivImagePanel* slider_;
  std::unique_ptr<ui::TTimer> pageTimer_;
  int min_ = 0, max_ = 100, position_ = 0, pageSize_ = 10;
  int announced_ = 0;
  TkivProgressBarOrientation orientation_ = kivHorizontal;
  bool dragging_ = false;
  int grabOffset_ = 0;
};

// The track inside the skinned scroll bar; it behaves as the track bar does.
class TkivScrollTrackBar : public TkivTrackBar {
  UI_CLASS(TkivScrollTrackBar, TkivTrackBar)
 public:
  using TkivTrackBar::TkivTrackBar;
};

}  // namespace kiv
