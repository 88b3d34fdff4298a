// TImage: a picture shown on its parent, without a window of its own: drawn at its natural
// size in the top-left corner or centred, or stretched over the control; with Transparent the
// picture's transparent colour lets the parent show through.
#pragma once

#include "CustomControl.h"
#include "Picture.h"

namespace ui {

class TImage : public TGraphicControl {
  UI_CLASS(TImage, TGraphicControl)
 public:
  explicit TImage(TComponent* AOwner);

  TPicture& Picture() { return picture_; }
  void SetPicture(const TPicture& value) { picture_.Assign(value); }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  // Sized to the picture whenever the picture changes.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);

 protected:
  void Paint() override;

 private:
  void PictureChanged();
  RECT DestRect() const;

  TPicture picture_;
  bool stretch_ = false;
  bool center_ = false;
  bool transparent_ = false;
  bool autoSize_ = false;
};

}  // namespace ui
