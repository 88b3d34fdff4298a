#include "Label.h"

#include "Form.h"
#include "Handles.h"
#include "WinControl.h"

namespace ui {

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
  AdjustBounds();
}

void TLabel::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  AdjustBounds();
}

void TLabel::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TLabel::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Invalidate();
}

void TLabel::SetFocusControl(TWinControl* value) {
  if (value == focusControl_) return;
  ReferTo(focusControl_, value);
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == focusControl_) focusControl_ = nullptr;
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

UINT TLabel::TextFlags() const {
  UINT flags = DT_EXPANDTABS;
  flags |= wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
  flags |= alignment_ == taLeftJustify ? DT_LEFT : alignment_ == taRightJustify ? DT_RIGHT : DT_CENTER;
  return flags;
}

SIZE TLabel::TextSize(int width) const {
  com::unique_dc dc(CreateCompatibleDC(nullptr));
  TCanvas canvas(dc.get());
  canvas.Font().Assign(Font());
  const std::string text = Caption();
  // An empty label keeps the height of one line.
  RECT r{0, 0, wordWrap_ ? width : 0, 0};
  canvas.DrawText(text.empty() ? " " : text, r, TextFlags() | DT_CALCRECT);
  return {wordWrap_ ? width : (text.empty() ? 0 : r.right), r.bottom};
}

void TLabel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (autoSize_ && !IsLoading()) {
    const SIZE size = TextSize(AWidth);
    AWidth = size.cx;
    AHeight = size.cy;
  }
  TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || IsLoading()) return;
  // A right-aligned label grows to the left, keeping its right edge where it was.
  const int width = TextSize(Width()).cx;
  const int left = alignment_ == taRightJustify && !wordWrap_ ? Left() + Width() - width : Left();
  SetBounds(left, Top(), Width(), Height());
}

void TLabel::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      AdjustBounds();
      return Invalidate();
    case CM_DIALOGCHAR:
      if (focusControl_ && Enabled() &&
          IsAccel(static_cast<char>(Message.WParam), Caption()) && focusControl_->CanFocus()) {
        FocusFromKeyboard(*focusControl_);
        Message.Result = 1;
      }
      return;
    default:
      return TGraphicControl::WndProc(Message);
  }
}

void TLabel::Paint() {
  TCanvas& canvas = Canvas();
  RECT rect = ClientRect();
  if (!transparent_) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(rect);
  }
  canvas.Brush().SetStyle(bsClear);
  const std::string text = Caption();
  if (Enabled()) {
    canvas.DrawText(text, rect, TextFlags());
    return;
  }
  // Disabled text is engraved: a light copy one pixel down and right under a shadowed one.
  RECT offset = rect;
  OffsetRect(&offset, 1, 1);
  canvas.Font().SetColor(clBtnHighlight);
  canvas.DrawText(text, offset, TextFlags());
  canvas.Font().SetColor(clBtnShadow);
  canvas.DrawText(text, rect, TextFlags());
}

}  // namespace ui
