// Unit KIVScrollBar: the skinned scroll bar, made of two line buttons at its ends and a track
// between them whose slider is the thumb. The range, position and paging step live in the
// track; the thumb is composed from three pieces of one theme picture.
#pragma once

#include "KIVButton.h"
#include "KIVThemes.h"
#include "KIVTrackBar.h"
#include "Panel.h"

namespace kiv {

// The thumb's length along the track: lineButton when it is positive (18 at the least), else
// pageSize percent of the track, with 10 percent for a pageSize outside 10..100.
int ScrollThumbLength(int lineButton, int pageSize, int trackLength);

class TkivScrollBar : public ui::TCustomPanel, public IkivStyled {
  UI_CLASS(TkivScrollBar, ui::TCustomPanel)
 public:
  explicit TkivScrollBar(ui::TComponent* AOwner);
  ~TkivScrollBar() override;

  int LineButton() const { return lineButton_; }
  void SetLineButton(int value);
  TkivProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TkivProgressBarOrientation value);
  TkivUIStyle UIStyle() const override { return style_; }
  void SetUIStyle(TkivUIStyle style) override;
  int Max() const { return track_->Max(); }
  void SetMax(int value) { track_->SetMax(value); }
  int Min() const { return track_->Min(); }
  void SetMin(int value) { track_->SetMin(value); }
  int Position() const { return track_->Position(); }
  void SetPosition(int value) { track_->SetPosition(value); }
  // The line buttons' step, 1..32767; other values are not taken.
  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int value);
  int LargeChange() const { return track_->PageSize(); }
  void SetLargeChange(int value) { track_->SetPageSize(value); }
  int PageSize() const { return track_->PageSize(); }
  void SetPageSize(int value);
  // The track raises it, with the track as sender.
  void SetOnChange(ui::TNotifyEvent handler) { track_->OnChange = std::move(handler); }
  void ShowThumb(bool visible);

  TkivScrollTrackBar& Track() { return *track_; }
  TkivImageButton& IncrementButton() { return *increment_; }
  TkivImageButton& DecrementButton() { return *decrement_; }

 protected:
  void WndProc(ui::TMessage& Message) override;
  void Resize() override;

 private:
  TkivImageButton* MakeLineButton(int direction);
  void Step(int direction);
  void LoadThemePictures();
  void Layout();
  void ComposeThumb();

  ui::TBitmap startCap_, middle_, endCap_;
  TkivScrollTrackBar* track_;
  TkivImageButton* increment_;
  TkivImageButton* decrement_;
  int lineButton_ = 0;
  TkivProgressBarOrientation orientation_ = kivVertical;
  TkivUIStyle style_ = TkivUIStyle::Custom;
  int smallChange_ = 1;
  bool layingOut_ = false;
};

}  // namespace kiv
