#include "KIVTabControl.h"

#include <algorithm>

#include "Bitmap.h"
#include "KIVPublic.h"

namespace kiv {

namespace {

constexpr int kControlBorderColor = 8;
constexpr int kControlFaceColor = 9;
constexpr int kActiveTabBitmap = 70;
constexpr int kInactiveTabBitmap = 71;
constexpr int kTabLineBitmap = 72;
constexpr int kTabStripHeight = 73;
constexpr TColor kTabKey = 0xFF00FF;

// A tab picture of the program's resources; false (and an empty picture) when there is none,
// as for a control that never had a style other than Custom.
bool LoadTabPicture(ui::TBitmap& picture, const std::string& name, bool keyed) {
  if (name.empty() || !picture.LoadFromResourceName(nullptr, name.c_str())) return false;
  if (keyed) picture.SetTransparentColor(kTabKey);
  return true;
}

}  // namespace

int TabWidth(const std::string& caption, int textWidth) {
  return std::max(caption.empty() ? 80 : textWidth + 20, 15);
}

int TabAtPoint(const std::vector<int>& widths, int leftMargin, int tabHeight, int x, int y) {
  if (y <= 0 || y >= tabHeight) return -1;
  int left = leftMargin;
  for (int i = 0; i < static_cast<int>(widths.size()) && widths[i] != -1; ++i) {
    if (left < x && x < left + widths[i]) return i;
    left += widths[i];
  }
  return -1;
}

TkivTabControlTopPanel::TkivTabControlTopPanel(TkivTab& ownerTab)
    : TCustomPanel(&ownerTab), owner_(ownerTab) {
  SetControlStyle((ControlStyle() & ~ui::csAcceptsControls) | ui::csOpaque);
  SetCaption(" ");
  SetBevelOuter(ui::bvNone);
  SetBevelInner(ui::bvNone);
  SetBorderWidth(0);
  SetAlign(ui::alTop);
  tabs_.Add("Tab1");
  tabs_.OnChange = [this] { Invalidate(); };
}

void TkivTabControlTopPanel::SetUIStyle(TkivUIStyle style) {
  uiStyle_ = style;
  activeName_ = GetThemeString(style, kActiveTabBitmap);
  inactiveName_ = GetThemeString(style, kInactiveTabBitmap);
  lineName_ = GetThemeString(style, kTabLineBitmap);
  SetHeight(GetThemeInteger(style, kTabStripHeight));
  Invalidate();
}

void TkivTabControlTopPanel::SetTabIndex(int value) {
  if (tabs_.Count() == 0) {
    tabIndex_ = -1;
    return Invalidate();
  }
  Invalidate();
  if (value < -1 || value >= tabs_.Count()) return;
  tabIndex_ = value;
  owner_.TabActivated(value);
}

void TkivTabControlTopPanel::SetLeftMargin(int value) {
  leftMargin_ = value;
  Invalidate();
}

int TkivTabControlTopPanel::NextShownTab(bool forward, bool wrap) const {
  const int count = tabs_.Count();
  // With no tab selected, forward starts before the first and backward after the last.
  const int from = tabIndex_ >= 0 ? tabIndex_ : forward ? -1 : count;
  for (int step = 1; step <= count; ++step) {
    int i = forward ? from + step : from - step;
    if (wrap) i = (i % count + count) % count;
    else if (i < 0 || i >= count) return -1;
    if (TabVisible(i)) return i;
  }
  return -1;
}

bool TkivTabControlTopPanel::TabVisible(int position) const {
  return position < 0 || position >= static_cast<int>(hidden_.size()) || !hidden_[position];
}

void TkivTabControlTopPanel::SetTabVisible(int position, bool visible) {
  if (position < 0) return;
  if (position >= static_cast<int>(hidden_.size())) hidden_.resize(position + 1, false);
  hidden_[position] = !visible;
  Invalidate();
}

void TkivTabControlTopPanel::Paint() {
  const int width = Width(), height = Height();
  if (width <= 0 || height <= 0) return;
  ui::TBitmap buffer(width, height);
  ui::TCanvas& canvas = buffer.Canvas();
  PaintParentBackground(canvas, owner_);

  ui::TBitmap active, inactive, line;
  const bool pictures = LoadTabPicture(active, activeName_, true) &&
                        LoadTabPicture(inactive, inactiveName_, true) &&
                        LoadTabPicture(line, lineName_, false);
  // Without pictures (a style never set) the tabs are plain frames over a one-pixel line.
  tabHeight_ = pictures ? active.Height() : height - 1;
  const int hi = pictures ? inactive.Height() : height - 1;
  const int hl = pictures ? line.Height() : 1;
  canvas.Pen().SetColor(owner_.BorderColor());
  if (pictures) {
    canvas.StretchDraw({1, hi, width - 1, hi + hl}, line);
  } else {
    canvas.MoveTo(0, hi);
    canvas.LineTo(width, hi);
  }
  canvas.MoveTo(0, hi);
  canvas.LineTo(0, hi + hl);
  canvas.MoveTo(width - 1, hi);
  canvas.LineTo(width - 1, hi + hl);

  canvas.Font().Assign(owner_.TabFont());
  int x = leftMargin_;
  widths_.assign(tabs_.Count(), -1);
  for (int i = 0; i < tabs_.Count(); ++i) {
    if (!TabVisible(i)) {
      widths_[i] = 0;
      continue;
    }
    const std::string& caption = tabs_[i];
    const int w = TabWidth(caption, canvas.TextWidth(caption));
    widths_[i] = w;
    const bool selected = i == tabIndex_;
    RECT r = selected ? RECT{x, 1, x + w, hi + 1} : RECT{x, 0, x + w, hi};
    if (pictures) {
      DrawThreePartBitmap(selected ? active : inactive, canvas, r, true);
    } else {
      canvas.Brush().SetStyle(ui::bsSolid);
      canvas.Brush().SetColor(selected ? owner_.Color() : Color());
      canvas.Rectangle(r.left, r.top, r.right, r.bottom + (selected ? 0 : 1));
    }
    x += w;
    canvas.Brush().SetStyle(ui::bsClear);
    canvas.DrawText(caption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (selected && Focused()) {
      InflateRect(&r, -3, -3);
      DrawFocusRect(canvas.Handle(), &r);
    }
  }
  Canvas().Draw(0, 0, buffer);
}

void TkivTabControlTopPanel::WndProc(ui::TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS;
    return;
  }
  TCustomPanel::WndProc(Message);
}

void TkivTabControlTopPanel::MouseDown(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) {
  Repaint();
  TCustomPanel::MouseDown(Button, Shift, X, Y);
  const int hit = TabAtPoint(widths_, leftMargin_, tabHeight_, X, Y);
  if (hit < 0) return;
  if (TabStop() && CanFocus()) SetFocus();
  SetTabIndex(hit);
}

void TkivTabControlTopPanel::KeyDown(WORD& Key, ui::TShiftState Shift) {
  TCustomPanel::KeyDown(Key, Shift);
  bool forward;
  switch (Key) {
    case VK_LEFT:
    case VK_UP: forward = false; break;
    case VK_RIGHT:
    case VK_DOWN: forward = true; break;
    default: return;
  }
  if (const int next = NextShownTab(forward, false); next >= 0) SetTabIndex(next);
}

void TkivTabControlTopPanel::DoEnter() {
  TCustomPanel::DoEnter();
  Invalidate();
}

void TkivTabControlTopPanel::DoExit() {
  TCustomPanel::DoExit();
  Invalidate();
}

TkivTab::TkivTab(ui::TComponent* AOwner) : TCustomPanel(AOwner) {
  SetControlStyle(ControlStyle() | ui::csOpaque);
  SetColor(ui::clBtnFace);
}

void TkivTab::AfterConstruction() {
  TCustomPanel::AfterConstruction();
  strip_ = CreateTopPanel();
  strip_->SetParent(this);
  tabFont_.OnChange = [this] { strip_->Invalidate(); };
  SetCaption(" ");
  SetBevelOuter(ui::bvNone);
  SetBevelInner(ui::bvNone);
  SetBorderWidth(0);
  SetHeight(80);
  SetUIStyle(GetOwnerFormStyle(Owner()));
}

void TkivTab::SetUIStyle(TkivUIStyle style) {
  if (style == TkivUIStyle::Custom) return;
  uiStyle_ = style;
  strip_->SetColor(GetThemeColor(style, kControlFaceColor));
  borderColor_ = GetThemeColor(style, kControlBorderColor);
  strip_->SetUIStyle(style);
  SetColor(style == TkivUIStyle::WinXP ? ui::clWhite : GetThemeColor(style, kControlFaceColor));
  UpdateChildStyle(style);
  Invalidate();
}

void TkivTab::SetBorderColor(TColor color) {
  borderColor_ = color;
  BorderColorChanged();
  Invalidate();
  strip_->Invalidate();
}

void TkivTab::SetTabFont(const ui::TFont& font) { tabFont_.Assign(font); }

void TkivTab::TabActivated(int index) {
  if (!IsLoading() && OnTabActive) OnTabActive(this, index);
}

void TkivTab::WndProc(ui::TMessage& Message) {
  // The strip shows the control's cursor, as the rest of the control does.
  if (Message.Msg == ui::CM_CURSORCHANGED && strip_) strip_->SetCursor(Cursor());
  TCustomPanel::WndProc(Message);
}

void TkivTab::Paint() {
  ui::TCanvas& canvas = Canvas();
  const int s = strip_->Height(), w = Width(), h = Height();
  canvas.Brush().SetStyle(ui::bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect({0, s, w, h});
  canvas.Pen().SetColor(borderColor_);
  canvas.MoveTo(0, s);
  canvas.LineTo(0, h - 1);
  canvas.LineTo(w - 1, h - 1);
  canvas.LineTo(w - 1, s - 1);
}

TkivTabControlTopPanel* TkivTabControl::CreateTopPanel() { return new TkivTabControlTopPanel(*this); }

}  // namespace kiv
