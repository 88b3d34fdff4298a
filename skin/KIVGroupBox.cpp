#include "KIVGroupBox.h"

#include <cstdlib>
#include <vector>

namespace kiv {

namespace {

constexpr int kControlBorderColor = 8;
constexpr int kGroupBoxFontColor = 10;
constexpr ui::TColor kGrayTextColor = 0x808080;

}  // namespace

TkivCustomGroupBox::TkivCustomGroupBox(ui::TComponent* AOwner) : TkivCustomPanel(AOwner) {
  SetText(" ");
  SetBounds(Left(), Top(), 185, 105);
  const TkivUIStyle style = GetOwnerFormStyle(AOwner);
  borderColor_ = GetThemeColor(style, kControlBorderColor);
  Font().SetColor(GetThemeColor(style, kGroupBoxFontColor));
  SetTransparent(true);
}

void TkivCustomGroupBox::SetCaption(const std::string& value) {
  caption_ = value;
  Invalidate();
}

void TkivCustomGroupBox::SetBorderColor(ui::TColor value) {
  borderColor_ = value;
  Invalidate();
}

void TkivCustomGroupBox::SetEnabled(bool value) {
  TkivCustomPanel::SetEnabled(value);
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(value);
  Invalidate();
}

RECT TkivCustomGroupBox::ContentRect() const {
  const RECT client = ClientRect();
  return {client.left + 3, client.top + std::abs(Font().Height()), client.right - 2,
          client.bottom - 2};
}

void TkivCustomGroupBox::ApplyStyle(TkivUIStyle style) { ApplyStyleToChildren(*this, style); }

void TkivCustomGroupBox::WndProc(ui::TMessage& Message) {
  if (Message.Msg == ui::CM_FONTCHANGED) {
    TkivCustomPanel::WndProc(Message);
    return Invalidate();
  }
  TkivCustomPanel::WndProc(Message);
}

void TkivCustomGroupBox::Paint() {
  TkivCustomPanel::Paint();
  ui::TCanvas& canvas = Canvas();
  canvas.Font().Assign(Font());
  const RECT c = ClientRect();
  const int y = std::abs(Font().Height()) / 2 + c.top + 1;
  const int resume = caption_.empty() ? c.left : c.left + canvas.TextWidth(caption_) + 6;
  canvas.Pen().SetColor(borderColor_);
  canvas.Polyline({{c.left + 2, y},
                   {c.left, y},
                   {c.left, c.bottom - 1},
                   {c.right - 1, c.bottom - 1},
                   {c.right - 1, y},
                   {resume, y}});
  if (!Enabled()) canvas.Font().SetColor(kGrayTextColor);
  canvas.Brush().SetStyle(ui::bsClear);
  canvas.TextOut(5, 0, caption_);
}

}  // namespace kiv
