#include "Panel.h"

#include <algorithm>

#include "ParentImage.h"

namespace ui {

namespace {

void BevelColors(TBevelCut cut, TColor face, TColor& top, TColor& bottom) {
  top = cut == bvLowered ? clBtnShadow : cut == bvRaised ? clBtnHighlight : face;
  bottom = cut == bvLowered ? clBtnHighlight : cut == bvRaised ? clBtnShadow : face;
}

}  // namespace

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
  if (value == bevelInner_) return;
  bevelInner_ = value;
  BevelsChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
  if (value == bevelOuter_) return;
  bevelOuter_ = value;
  BevelsChanged();
}

void TCustomPanel::SetBevelWidth(int value) {
  value = std::max(value, 1);
  if (value == bevelWidth_) return;
  bevelWidth_ = value;
  BevelsChanged();
}

void TCustomPanel::BevelsChanged() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetParentBackground(bool value) {
  if (value == parentBackground_) return;
  parentBackground_ = value;
  Invalidate();
}

void TCustomPanel::AdjustClientRect(RECT& rect) const {
  int inset = 0;
  if (bevelOuter_ != bvNone) inset += bevelWidth_;
  if (bevelInner_ != bvNone) inset += bevelWidth_;
  InflateRect(&rect, -inset, -inset);
}

void TCustomPanel::WndProc(TMessage& Message) {
  // The paint covers the whole client area; erasing first would only flicker, and would cover
  // the parent's picture a see-through panel shows.
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  TCustomControl::WndProc(Message);
}

void TCustomPanel::Paint() {
  TCanvas& canvas = Canvas();
  RECT rect = ClientRect();
  if (parentBackground_) {
    DrawParentImage(*this, canvas.Handle());
  } else {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(rect);
  }
  TColor top, bottom;
  for (TBevelCut cut : {bevelOuter_, bevelInner_}) {
    if (cut == bvNone) continue;
    BevelColors(cut, Color(), top, bottom);
    Frame3D(canvas, rect, top, bottom, bevelWidth_);
  }
  const std::string caption = Caption();
  if (caption.empty()) return;
  canvas.Brush().SetStyle(bsClear);
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  const UINT align = alignment_ == taLeftJustify ? DT_LEFT : alignment_ == taRightJustify ? DT_RIGHT : DT_CENTER;
  canvas.DrawText(caption, rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | align);
}

}  // namespace ui
