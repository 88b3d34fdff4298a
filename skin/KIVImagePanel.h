// Unit KIVImagePanel: a panel showing a picture drawn plain, stretched or tiled, optionally
// over its parent's background, with a one-line caption. It passes a style pushed from the
// form skin on to its own children.
#pragma once

#include "KIVThemes.h"
#include "Panel.h"
#include "Picture.h"

namespace kiv {

enum TkivDrawStyle { kivNormal = 0, kivStretch = 1, kivTile = 2 };

class TkivCustomPanel : public ui::TCustomPanel, public IkivFormPanel {
  UI_CLASS(TkivCustomPanel, ui::TCustomPanel)
 public:
  explicit TkivCustomPanel(ui::TComponent* AOwner);

  ui::TPicture& Picture() { return picture_; }
  void SetPicture(const ui::TPicture& value);
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  TkivDrawStyle DrawStyle() const { return drawStyle_; }
  void SetDrawStyle(TkivDrawStyle value);

  // A style pushed from the form skin goes on to the panel's children.
  void ApplyFormPanelStyle(TkivUIStyle style) override;

 protected:
  virtual void PaintBackgroundColor();
  virtual void TextChanged() {}
  virtual void PictureChanged();

  void WndProc(ui::TMessage& Message) override;
  void Paint() override;
  void Resize() override;

 private:
  // Takes the picture's size, along the sides its alignment leaves free.
  void FitToPicture();

  ui::TPicture picture_;
  bool transparent_ = false;
  bool autoSize_ = false;
  TkivDrawStyle drawStyle_ = kivNormal;
};

class TkivImagePanel : public TkivCustomPanel {
  UI_CLASS(TkivImagePanel, TkivCustomPanel)
 public:
  using TkivCustomPanel::TkivCustomPanel;
};

}  // namespace kiv
