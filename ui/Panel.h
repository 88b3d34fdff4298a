// TCustomPanel and TPanel: a windowed container drawn as a raised or lowered plate, with an
// outer and an inner bevel, a caption aligned left, right or centred and vertically centred,
// and a BorderWidth margin (outside its client area) between its edge and its contents. With
// ParentBackground it shows what lies under it instead of filling itself. It paints correctly
// into any context it is handed, so a see-through child can have it drawn behind itself.
// The skinned panels of the skin library derive from TCustomPanel.
#pragma once

#include "CustomControl.h"

namespace ui {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
  UI_CLASS(TCustomPanel, TCustomControl)
 public:
  explicit TCustomPanel(TComponent* AOwner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);
  bool ParentBackground() const { return parentBackground_; }
  void SetParentBackground(bool value);

 protected:
  void WndProc(TMessage& Message) override;
  void Paint() override;
  // Aligned children share what lies inside the bevels.
  void AdjustClientRect(RECT& rect) const override;

 private:
  void BevelsChanged();

  TAlignment alignment_ = taCenter;
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  bool parentBackground_ = false;
};

class TPanel : public TCustomPanel {
  UI_CLASS(TPanel, TCustomPanel)
 public:
  using TCustomPanel::TCustomPanel;
};

}  // namespace ui
