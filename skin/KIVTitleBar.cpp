#include "KIVTitleBar.h"

#include "Application.h"
#include "Form.h"
#include "KIVPublic.h"

namespace kiv {

namespace {

constexpr int kMinFormWidth = 6;
constexpr int kRegionRadius = 7;
constexpr int kTitleLeft = 45;
constexpr int kTitleClient = 46;
constexpr int kTitleRight = 47;
constexpr int kLeftButtonOffset = 67;
constexpr int kRightButtonOffset = 68;

void SetMinWidth(ui::TForm& form, int width) {
  ui::TSizeConstraints constraints = form.Constraints();
  constraints.MinWidth = width;
  form.SetConstraints(constraints);
}

}  // namespace

TkivTitleBar::TkivTitleBar(ui::TComponent* AOwner)
    : TCustomPanel(AOwner), sections_(this), buttons_(this) {
  SetBevelOuter(ui::bvNone);
  SetControlStyle(ui::csCaptureMouse | ui::csDoubleClicks | ui::csOpaque);
  SetAlign(ui::alTop);
  SetBounds(0, 0, 200, 22);
  sections_.OnChange = [this] { Invalidate(); };
  buttons_.OnChange = [this] { Invalidate(); };
  for (TkivTitleBarBtnType type : {kivControlBox, kivClose, kivMax, kivMin})
    buttons_.Add().SetButtonType(type);
  ui::TFont font;
  font.SetName("Tahoma");
  font.SetColor(ui::clWhite);
  font.SetStyle(ui::fsBold);
  SetFont(font);
  SetUIStyle(GetOwnerFormStyle(AOwner));
}

TkivTitleBar::~TkivTitleBar() { *alive_ = false; }

void TkivTitleBar::SetUIStyle(TkivUIStyle value) {
  uiStyle_ = value;
  sections_.BeginUpdate();
  sections_.Clear();
  if (value != TkivUIStyle::Custom) {
    const struct {
      int entry;
      TkivTitleBarAlign align;
    } parts[] = {{kTitleLeft, kivLeft}, {kTitleRight, kivRight}, {kTitleClient, kivClient}};
    for (const auto& part : parts) {
      TkivTitleBarSection& section = sections_.Add();
      ui::TBitmap bitmap;
      LoadSkinBitmap(bitmap, GetThemeString(value, part.entry));
      section.Picture().SetGraphic(&bitmap);
      if (part.align == kivClient) section.SetAlign(kivClient);
      else section.SetAutoSize(true);
      if (part.align == kivRight) section.SetAlign(kivRight);
    }
  }
  sections_.EndUpdate();
  if (value != TkivUIStyle::Custom) {
    leftBtnXOffset_ = GetThemeInteger(value, kLeftButtonOffset);
    rightBtnXOffset_ = GetThemeInteger(value, kRightButtonOffset);
    if (ui::TForm* form = GetParentForm(this)) SetMinWidth(*form, GetThemeInteger(value, kMinFormWidth));
    regionRadius_ = GetThemeInteger(value, kRegionRadius);
    UpdateFormRegion();
    for (int i = 0; i < buttons_.Count(); ++i) buttons_.Items(i).SetUIStyle(value);
    SetAutoSize(true);
  }
  Invalidate();
}

void TkivTitleBar::SetAutoSize(bool value) {
  autoSize_ = value;
  if (sections_.Count() == 0) autoSize_ = false;
  else SetHeight(sections_.Items(0).Picture().Height());
}

bool TkivTitleBar::OnFormSkin() const { return Parent() && Parent()->InheritsFrom("TkivForm"); }

bool TkivTitleBar::HostMaximized() const {
  ui::TForm* form = GetParentForm(this);
  return form && form->WindowState() == ui::wsMaximized;
}

void TkivTitleBar::SetFormRegion(int radius) {
  ui::TForm* form = GetParentForm(this);
  if (!form || !form->HandleAllocated()) return;
  com::gdi_region region = MakeFormRegion(form->ClientWidth(), form->ClientHeight(), radius);
  // The window owns the region from here on.
  if (SetWindowRgn(form->Handle(), region.get(), TRUE)) region.release();
}

void TkivTitleBar::UpdateFormRegion() {
  if (OnFormSkin()) SetFormRegion(regionRadius_);
}

TitleButtonLayout TkivTitleBar::Layout() const {
  std::vector<TitleButtonSpec> specs;
  for (int i = 0; i < buttons_.Count(); ++i) {
    TkivTitleBarButton& b = buttons_.Items(i);
    specs.push_back({b.ButtonType(), b.PicNormal().Width(), b.PicNormal().Height(), b.Top()});
  }
  return PlaceTitleButtons(specs, Width(), {leftBtnXOffset_, rightBtnXOffset_, buttonInterval_},
                           drawAppIcon_);
}

int TkivTitleBar::ButtonAt(POINT point) const {
  const TitleButtonLayout layout = Layout();
  for (const TitleButtonPlace& place : layout.right)
    if (PointInRect(point, place.rect)) return place.index;
  if (layout.controlBox >= 0 && PointInRect(point, layout.controlBoxRect)) return layout.controlBox;
  return -1;
}

POINT TkivTitleBar::CursorPoint() const {
  POINT cursor{-1, -1};
  if (!GetCursorPos(&cursor)) return {-1, -1};
  return ScreenToClient(cursor);
}

void TkivTitleBar::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  ui::TBitmap buffer(Width(), Height());
  buffer.Canvas().Brush().SetStyle(ui::bsClear);
  buffer.Canvas().Font().Assign(Font());
  DrawSections(buffer);
  DrawButtons(buffer);
  Canvas().Draw(0, 0, buffer);
}

void TkivTitleBar::DrawSections(ui::TBitmap& buffer) {
  std::vector<TitleSectionSpec> specs;
  for (int i = 0; i < sections_.Count(); ++i)
    specs.push_back({sections_.Items(i).Align(), sections_.Items(i).Width()});
  ui::TCanvas& canvas = buffer.Canvas();
  for (const TitleSectionPlace& place : LayoutTitleSections(specs, Width(), Height())) {
    TkivTitleBarSection& section = sections_.Items(place.index);
    const ui::TGraphic* picture = section.Picture().Graphic();
    if (!section.Picture().HasGraphic() || place.rect.right <= place.rect.left) continue;
    if (section.Stretch()) {
      canvas.StretchDraw(place.rect, *picture);
      continue;
    }
    com::saved_dc_state saved(canvas.Handle());
    IntersectClipRect(canvas.Handle(), place.rect.left, place.rect.top, place.rect.right, place.rect.bottom);
    canvas.Draw(place.rect.left, place.rect.top, *picture);
  }
}

void TkivTitleBar::DrawButtonPicture(ui::TCanvas& canvas, TkivTitleBarButton& button,
                                     const RECT& rect, bool hot) {
  ui::TPicture& picture = !hot ? button.PicNormal() : mouseDown_ ? button.PicMouseDown() : button.PicMouseOn();
  if (!button.PicNormal().HasGraphic() || !picture.HasGraphic()) return;
  ui::TBitmap face(button.PicNormal().Width(), button.PicNormal().Height());
  face.Canvas().Draw(0, 0, *picture.Graphic());
  face.SetTransparent(button.Transparent());
  canvas.Draw(rect.left, rect.top, face);
}

void TkivTitleBar::DrawButtons(ui::TBitmap& buffer) {
  ui::TCanvas& canvas = buffer.Canvas();
  const TitleButtonLayout layout = Layout();
  const POINT cursor = CursorPoint();
  for (const TitleButtonPlace& place : layout.right)
    DrawButtonPicture(canvas, buttons_.Items(place.index), place.rect, PointInRect(cursor, place.rect));
  if (layout.controlBox >= 0) {
    const bool hot = PointInRect(cursor, layout.controlBoxRect);
    if (drawAppIcon_) {
      com::unique_icon icon(static_cast<HICON>(
          LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
      if (icon) DrawIconEx(canvas.Handle(), layout.iconAt.x, layout.iconAt.y, icon.get(), 16, 16, 0, nullptr, DI_NORMAL);
    } else {
      DrawButtonPicture(canvas, buttons_.Items(layout.controlBox), layout.controlBoxRect, hot);
    }
  }
  const std::string caption = Caption();
  if (caption.empty()) return;
  ui::TColor color = Font().Color();
  if (!formActive_) color = ui::clInactiveCaption;
  else if (uiStyle_ == TkivUIStyle::MacOS) color = ui::clBlack;
  canvas.Font().SetColor(color);
  canvas.Brush().SetStyle(ui::bsClear);
  const std::string text = TitleCaptionText(caption, layout.captionRight - layout.captionLeft,
                                            [&canvas](std::string_view t) { return canvas.TextWidth(t); });
  const int y = uiStyle_ == TkivUIStyle::DeepBlue ? 4 : (Height() - canvas.TextHeight(text)) / 2;
  canvas.TextOut(layout.captionLeft, y, text);
}

void TkivTitleBar::DoButtonAction(int index) {
  ui::TForm* form = GetParentForm(this);
  if (!form || index < 0 || index >= buttons_.Count()) return;
  TkivTitleBarButton& button = buttons_.Items(index);
  const RECT work = GetWorkAreaRect();
  ui::TSizeConstraints constraints = form->Constraints();
  constraints.MaxHeight = work.bottom - work.top;
  constraints.MaxWidth = work.right - work.left;
  form->SetConstraints(constraints);
  switch (button.ButtonType()) {
    case kivMax:
      if (form->WindowState() == ui::wsMaximized) {
        form->SetWindowState(ui::wsNormal);
      } else {
        form->SetWindowState(ui::wsMaximized);
        if (OnFormSkin()) SetWindowPos(form->Handle(), nullptr, work.left, work.top, 0, 0,
                                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      if (uiStyle_ == TkivUIStyle::WinXP) button.UpdateMaxButtonPictures();
      return UpdateFormRegion();
    case kivMin:
      if (form == ui::Application().MainForm()) SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      else ShowWindow(form->Handle(), SW_SHOWMINIMIZED);
      return;
    case kivClose:
      // Closed once this mouse message is done: closing may free the window the bar lies on.
      PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
      return;
    case kivControlBox:
      if (ui::TPopupMenu* menu = button.ControlBoxMenu()) {
        const POINT corner = ClientToScreen({0, Height()});
        menu->Popup(corner.x, corner.y);
      }
      return;
    case kivHelp:
    case kivCustom:
      return;
  }
}

void TkivTitleBar::MouseDown(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) {
  TCustomPanel::MouseDown(Button, Shift, X, Y);
  if (Button != ui::mbLeft) return;
  if (Shift & ui::ssDouble) {
    // A double click on the caption maximises or restores through the first maximise button.
    if (ButtonAt({X, Y}) != -1) return;
    for (int i = 0; i < buttons_.Count(); ++i)
      if (buttons_.Items(i).ButtonType() == kivMax) return DoButtonAction(i);
    return;
  }
  mouseDown_ = true;
  Repaint();
  ui::TForm* form = GetParentForm(this);
  if (ButtonAt({X, Y}) != -1 || !form || HostMaximized()) return;
  // The system moves the window from where the press really is.
  SetMouseCapture(false);
  ReleaseCapture();
  const POINT screen = ClientToScreen({X, Y});
  auto alive = alive_;
  SendMessageA(form->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, ui::MakeMouseLParam(screen.x, screen.y));
  if (*alive) mouseDown_ = false;
}

void TkivTitleBar::MouseMove(ui::TShiftState Shift, int X, int Y) {
  TCustomPanel::MouseMove(Shift, X, Y);
  Invalidate();
}

void TkivTitleBar::MouseUp(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) {
  TCustomPanel::MouseUp(Button, Shift, X, Y);
  if (Button != ui::mbLeft) return;
  auto alive = alive_;
  const int index = ButtonAt({X, Y});
  if (index != -1) {
    DoButtonAction(index);
    if (!*alive) return;
    const TkivTitleBarBtnType type = buttons_.Items(index).ButtonType();
    if (OnCustomBtnsClick && type == kivCustom) OnCustomBtnsClick(this, index);
    else if (OnHelpBtnClick && type == kivHelp) OnHelpBtnClick(this, index);
    if (!*alive) return;
  }
  mouseDown_ = false;
  Invalidate();
}

void TkivTitleBar::Notification(ui::TComponent* AComponent, ui::TOperation Operation) {
  TCustomPanel::Notification(AComponent, Operation);
  if (Operation != ui::opRemove) return;
  for (int i = 0; i < buttons_.Count(); ++i)
    if (buttons_.Items(i).ControlBoxMenu() == AComponent) buttons_.Items(i).SetControlBoxMenu(nullptr);
}

void TkivTitleBar::WndProc(ui::TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      // The paint covers the whole bar.
      Message.Result = 1;
      return;
    case ui::CM_MOUSELEAVE:
      TCustomPanel::WndProc(Message);
      return Invalidate();
    default:
      return TCustomPanel::WndProc(Message);
  }
}

}  // namespace kiv
