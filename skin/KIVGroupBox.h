// Unit KIVGroupBox: a framed group whose caption is set into the frame's top line, over the
// parent's background by default.
#pragma once

#include <string>

#include "KIVImagePanel.h"

namespace kiv {

class TkivCustomGroupBox : public TkivCustomPanel, public IkivBorderColored {
  UI_CLASS(TkivCustomGroupBox, TkivCustomPanel)
 public:
  explicit TkivCustomGroupBox(ui::TComponent* AOwner);

  // The group's own caption; the window text stays a blank so the panel draws none.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  ui::TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(ui::TColor value) override;
  // Every control directly in the group follows.
  void SetEnabled(bool value) override;
  // Where the group's contents go: inside the frame, below the caption.
  RECT ContentRect() const;

  void ApplyFormPanelStyle(TkivUIStyle style) override { ApplyStyle(style); }

 protected:
  virtual void ApplyStyle(TkivUIStyle style);

  void WndProc(ui::TMessage& Message) override;
  void Paint() override;

 private:
  std::string caption_;
  ui::TColor borderColor_ = ui::clBlack;
};

class TkivGroupBox : public TkivCustomGroupBox {
  UI_CLASS(TkivGroupBox, TkivCustomGroupBox)
 public:
  using TkivCustomGroupBox::TkivCustomGroupBox;
};

}  // namespace kiv
