#include "KIVButton.h"

#include <algorithm>

#include "Form.h"
#include "ImageList.h"
#include "KIVPublic.h"
#include "PushButton.h"

namespace kiv {

namespace {

constexpr int kButtonNormal = 24;
constexpr int kButtonMouseOn = 25;
constexpr int kButtonMouseDown = 26;
constexpr int kMacOSButtonHeight = 23;
// What stands in for a state picture that cannot be loaded.
constexpr SIZE kBlankPicture{74, 21};
constexpr ui::TColor kShadowColor = 0xFFFFFF;
constexpr ui::TColor kGrayTextColor = 0x808080;
constexpr ui::TColor kStyledFocusColor = 0xFF0000;

HINSTANCE ProgramModule() { return GetModuleHandleA(nullptr); }

bool IsBlank(const std::string& text) {
  return text.find_first_not_of(' ') == std::string::npos;
}

void OffsetBy(RECT& r, int d) { OffsetRect(&r, d, d); }

}  // namespace

SIZE LineExtent(const ui::TFont& font, const std::string& text) {
  ui::TBitmap scratch(1, 1);
  scratch.Canvas().Font().Assign(font);
  RECT r{0, 0, 0, 0};
  scratch.Canvas().DrawText(text, r, DT_SINGLELINE | DT_CALCRECT);
  return {r.right - r.left, r.bottom - r.top};
}

SIZE FitBoxAndCaption(SIZE box, int absFontHeight, int textWidth) {
  return {box.cx + textWidth + 8, std::max<int>(absFontHeight + 2, box.cy) + 4};
}

TkivGlyphPlacement PlaceGlyph(TButtonLayout layout, SIZE control, SIZE text, SIZE glyph,
                              int spacing) {
  const int W = glyph.cx, H = glyph.cy, TW = text.cx, TH = text.cy;
  TkivGlyphPlacement p{};
  switch (layout) {
    case blGlyphLeft:
      p.glyph = {(control.cx - (TW + W + spacing)) / 2, (control.cy - H) / 2};
      p.caption = {p.glyph.x + W + spacing, (control.cy - TH) / 2};
      break;
    case blGlyphRight:
      p.glyph = {(control.cx + TW + spacing - W) / 2, (control.cy - H) / 2};
      p.caption = {p.glyph.x - TW - spacing, (control.cy - TH) / 2};
      break;
    case blGlyphTop:
      p.glyph = {(control.cx - W) / 2, (control.cy - (TH + H + spacing)) / 2};
      p.caption = {(control.cx - TW) / 2, p.glyph.y + H + spacing};
      break;
    case blGlyphBottom:
      p.glyph = {(control.cx - W) / 2, (control.cy + TH + spacing - H) / 2};
      p.caption = {(control.cx - TW) / 2, p.glyph.y - TH - spacing};
      break;
  }
  return p;
}

// --- TkivCustomButton ---

TkivCustomButton::TkivCustomButton(ui::TComponent* AOwner)
    : TCustomControl(AOwner), resHandle_(ProgramModule()) {
  // A double click arrives as two clicks; nothing is placed on a button.
  SetControlStyle(ControlStyle() & ~(ui::csDoubleClicks | ui::csAcceptsControls));
}

TkivCustomButton::~TkivCustomButton() = default;

void TkivCustomButton::SetCaption(const std::string& value) {
  caption_ = value;
  // The window text says what the button says, so screen readers and other programs find the
  // button by its text as they find a system button.
  SetText(value);
  CaptionChanged();
  Invalidate();
}

void TkivCustomButton::SetAutoSize(bool value) {
  autoSize_ = value;
  UpdateAutoSize();
  Invalidate();
}

void TkivCustomButton::SetTabStop(bool value) {
  tabStop_ = value;
  TCustomControl::SetTabStop(value);
  Invalidate();
}

void TkivCustomButton::SetDefault(bool value) {
  default_ = value;
  if (!HandleAllocated()) return;
  if (ui::TForm* form = ui::GetParentForm(this))
    form->Perform(ui::CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TkivCustomButton::SetTransparent(bool value) {
  transparent_ = value;
  TransparentChanged();
  Invalidate();
}

void TkivCustomButton::SetUIStyle(TkivUIStyle style) {
  style_ = style;
  ApplyThemePictures(style);
  StyleChanged();
  Invalidate();
}

void TkivCustomButton::SetEnabled(bool value) {
  TCustomControl::SetEnabled(value);
  EnabledChanged();
  Invalidate();
}

void TkivCustomButton::SetPicNormalResName(const std::string& value) {
  picNormal_ = value;
  UpdateAutoSize();
  Invalidate();
}

void TkivCustomButton::SetPicMouseOnResName(const std::string& value) {
  picMouseOn_ = value;
  Invalidate();
}

void TkivCustomButton::SetPicMouseDownResName(const std::string& value) {
  picMouseDown_ = value;
  Invalidate();
}

void TkivCustomButton::SetResHandle(HINSTANCE value) {
  resHandle_ = value ? value : ProgramModule();
  Invalidate();
}

void TkivCustomButton::StoreResourceNames(const std::string& normal, const std::string& mouseOn,
                                          const std::string& mouseDown) {
  resHandle_ = ProgramModule();
  picNormal_ = normal;
  picMouseOn_ = mouseOn;
  picMouseDown_ = mouseDown;
}

void TkivCustomButton::UpdateAutoSize() {
  if (!autoSize_ || picNormal_.empty()) return;
  ui::TBitmap picture;
  if (!LoadResourcePicture(picNormal_, picture)) picture.SetSize(kBlankPicture.cx, kBlankPicture.cy);
  SetBounds(Left(), Top(), picture.Width(), picture.Height());
}

void TkivCustomButton::FontChanged() {
  Canvas().Font().Assign(Font());
  Invalidate();
}

void TkivCustomButton::TransparentChanged() {
  pictureTransparent_ = transparent_;
  Invalidate();
}

void TkivCustomButton::StyleChanged() {
  if (style_ == TkivUIStyle::Custom) SetAutoSize(true);
}

bool TkivCustomButton::LoadResourcePicture(const std::string& name, ui::TBitmap& picture) const {
  return !name.empty() && picture.LoadFromResourceName(resHandle_, name.c_str());
}

bool TkivCustomButton::LoadNormalPicture(ui::TBitmap& picture) {
  return LoadResourcePicture(picNormal_, picture);
}

bool TkivCustomButton::LoadMouseOnPicture(ui::TBitmap& picture) {
  return LoadResourcePicture(picMouseOn_, picture);
}

bool TkivCustomButton::LoadMouseDownPicture(ui::TBitmap& picture) {
  return LoadResourcePicture(picMouseDown_, picture);
}

// The disabled look is the normal picture shown disabled; the two-state controls hold their
// disabled picture as the normal one while disabled.
bool TkivCustomButton::LoadDisabledPicture(ui::TBitmap& picture) {
  return LoadResourcePicture(picNormal_, picture);
}

void TkivCustomButton::Paint() {
  ui::TBitmap picture;
  const bool loaded = !Enabled()  ? LoadDisabledPicture(picture)
                      : pressed_  ? LoadMouseDownPicture(picture)
                      : mouseOn_  ? LoadMouseOnPicture(picture)
                                  : LoadNormalPicture(picture);
  if (!loaded) {
    // A missing picture never stops painting: a blank of the control's colour stands in.
    picture.SetSize(kBlankPicture.cx, kBlankPicture.cy);
    picture.Canvas().Brush().SetColor(Color());
    picture.Canvas().FillRect({0, 0, kBlankPicture.cx, kBlankPicture.cy});
  }
  picture.SetTransparent(pictureTransparent_);

  ui::TBitmap buffer(Width(), Height());
  ui::TCanvas& canvas = buffer.Canvas();
  const RECT client = ClientRect();
  if (transparent_) {
    PaintParentBackground(canvas, *this);
  } else {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(client);
  }
  DrawPicture(canvas, picture);
  if (Focused() && tabStop_) DrawFocus(canvas);
  canvas.Font().Assign(Font());
  Canvas().Font().Assign(Font());
  if (!IsBlank(caption_)) DrawCaption(canvas, caption_);
  Canvas().CopyRect(client, canvas, client);
}

void TkivCustomButton::DrawPicture(ui::TCanvas& canvas, ui::TBitmap& picture) {
  if (picture.Empty()) return;
  ui::TCustomImageList images(nullptr, picture.Width(), picture.Height());
  if (pictureTransparent_) images.AddMasked(picture, picture.Pixel(0, 0));
  else images.Add(picture);
  images.Draw(canvas, 0, 0, 0, Enabled());
}

void TkivCustomButton::DrawCaption(ui::TCanvas& canvas, const std::string& caption) {
  DrawButtonText(canvas, caption, ClientRect(), DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

// A disabled caption is engraved: white one pixel down and right, grey over it; a pressed
// one moves one pixel down and right.
void TkivCustomButton::DrawButtonText(ui::TCanvas& canvas, const std::string& caption, RECT r,
                                      UINT format) {
  canvas.Brush().SetStyle(ui::bsClear);
  canvas.Font().Assign(Font());
  if (!Enabled()) {
    RECT shadow = r;
    OffsetBy(shadow, 1);
    canvas.Font().SetColor(kShadowColor);
    canvas.DrawText(caption, shadow, format);
    canvas.Font().SetColor(kGrayTextColor);
  } else if (pressed_) {
    OffsetBy(r, 1);
  }
  canvas.DrawText(caption, r, format);
}

void TkivCustomButton::DrawFocus(ui::TCanvas& canvas) {
  const RECT client = ClientRect();
  RECT r{2, 2, client.right - 2, client.bottom - 2};
  canvas.Brush().SetStyle(ui::bsSolid);
  canvas.Font().SetColor(ui::clBlack);
  DrawFocusRect(canvas.Handle(), &r);
}

void TkivCustomButton::StartRepeat() {
  if (repeatTimer_) return;
  repeatTimer_ = std::make_unique<ui::TTimer>(nullptr);
  repeatTimer_->SetInterval(static_cast<UINT>(std::max(repeatInterval_, 0)));
  repeatTimer_->OnTimer = [this](ui::TComponent*) { RepeatTick(); };
}

void TkivCustomButton::StopRepeat() { repeatTimer_.reset(); }

void TkivCustomButton::RepeatTick() {
  // A tick that comes after the button went up (its release lost to another window) is
  // not a held button.
  if (!MouseCapture()) return StopRepeat();
  if (OnMouseContinuouslyDown) OnMouseContinuouslyDown(this);
}

void TkivCustomButton::AbandonPress() {
  StopRepeat();
  if (!pressed_) return;
  pressed_ = false;
  Invalidate();
}

bool TkivCustomButton::TakesEnter() const {
  return ActsAsPushButton() ? ui::IsDefaultNow(*this, default_) : default_;
}

void TkivCustomButton::Click() {
  if (ui::TForm* form = ui::GetParentForm(this)) form->SetModalResult(modalResult_);
  TCustomControl::Click();
}

void TkivCustomButton::MouseMove(ui::TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (X < 0 || Y < 0 || X > Width() || Y > Height()) {
    mouseOn_ = false;
    pressed_ = false;
    Invalidate();
  }
}

void TkivCustomButton::MouseEnter() {
  if (IsDesigning()) return;
  mouseOn_ = true;
  Invalidate();
  if (OnMouseEnter) OnMouseEnter(this);
}

void TkivCustomButton::MouseLeave() {
  mouseOn_ = false;
  pressed_ = false;
  StopRepeat();
  Invalidate();
  if (OnMouseExit) OnMouseExit(this);
}

void TkivCustomButton::KeyDown(WORD& Key, ui::TShiftState Shift) {
  if ((Key == VK_SPACE || Key == VK_RETURN) && Focused() && Enabled()) {
    pressed_ = true;
    Invalidate();
  }
  TCustomControl::KeyDown(Key, Shift);
}

void TkivCustomButton::KeyUp(WORD& Key, ui::TShiftState Shift) {
  if ((Key == VK_SPACE || Key == VK_RETURN) && Focused() && Enabled() && pressed_) {
    pressed_ = false;
    Invalidate();
    Click();
  }
  TCustomControl::KeyUp(Key, Shift);
}

void TkivCustomButton::WndProc(ui::TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = true;
      StartRepeat();
      Invalidate();
      return TCustomControl::WndProc(Message);
    case WM_LBUTTONUP:
      StopRepeat();
      pressed_ = false;
      Invalidate();
      return TCustomControl::WndProc(Message);
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      AbandonPress();
      return TCustomControl::WndProc(Message);
    case WM_SETFOCUS:
      TCustomControl::WndProc(Message);
      return Invalidate();
    case WM_KILLFOCUS:
      TCustomControl::WndProc(Message);
      AbandonPress();
      return Invalidate();
    case ui::CM_FOCUSCHANGED:
      TCustomControl::WndProc(Message);
      return Invalidate();
    case ui::CM_FONTCHANGED:
      TCustomControl::WndProc(Message);
      return FontChanged();
    case ui::CM_DIALOGCHAR:
      TCustomControl::WndProc(Message);
      // A hidden or disabled button is not reached by its accelerator.
      if (ui::IsAccel(static_cast<char>(Message.WParam), caption_) && CanFocus()) {
        SetFocus();
        Click();
        Message.Result = 1;
      } else {
        Message.Result = 0;
      }
      return;
    case WM_GETDLGCODE:
      if (!ActsAsPushButton()) return TCustomControl::WndProc(Message);
      Message.Result = ui::PushButtonCode(*this, default_);
      return;
    case ui::CM_DIALOGKEY:
      if (((Message.WParam == VK_RETURN && TakesEnter()) || (Message.WParam == VK_ESCAPE && cancel_)) &&
          (ui::KeyboardShiftState() & (ui::ssShift | ui::ssCtrl | ui::ssAlt)) == 0 && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
      }
      return TCustomControl::WndProc(Message);
    default:
      return TCustomControl::WndProc(Message);
  }
}

// --- TkivButton ---

TkivButton::TkivButton(ui::TComponent* AOwner) : TkivCustomButton(AOwner) {
  SetBounds(Left(), Top(), 80, 27);
  SetTabStop(true);
  SetUIStyle(GetOwnerFormStyle(AOwner));
}

void TkivButton::SetGlyph(const ui::TBitmap& value) {
  glyph_.Assign(value);
  Invalidate();
}

void TkivButton::SetLayout(TButtonLayout value) {
  layout_ = value;
  Invalidate();
}

void TkivButton::SetSpacing(int value) {
  spacing_ = value;
  Invalidate();
}

std::string TkivButton::PicNormalResName() const {
  return UIStyle() == TkivUIStyle::Custom ? TkivCustomButton::PicNormalResName() : "";
}

std::string TkivButton::PicMouseOnResName() const {
  return UIStyle() == TkivUIStyle::Custom ? TkivCustomButton::PicMouseOnResName() : "";
}

std::string TkivButton::PicMouseDownResName() const {
  return UIStyle() == TkivUIStyle::Custom ? TkivCustomButton::PicMouseDownResName() : "";
}

void TkivButton::SetPicNormalResName(const std::string& value) {
  SetUIStyle(TkivUIStyle::Custom);
  TkivCustomButton::SetPicNormalResName(value);
}

void TkivButton::SetPicMouseOnResName(const std::string& value) {
  SetUIStyle(TkivUIStyle::Custom);
  TkivCustomButton::SetPicMouseOnResName(value);
}

void TkivButton::SetPicMouseDownResName(const std::string& value) {
  SetUIStyle(TkivUIStyle::Custom);
  TkivCustomButton::SetPicMouseDownResName(value);
}

HINSTANCE TkivButton::ResHandle() const {
  HINSTANCE held = TkivCustomButton::ResHandle();
  return held == ProgramModule() ? nullptr : held;
}

void TkivButton::ApplyThemePictures(TkivUIStyle style) {
  if (style == TkivUIStyle::Custom) return;
  StoreResourceNames(GetThemeString(style, kButtonNormal), GetThemeString(style, kButtonMouseOn),
                     GetThemeString(style, kButtonMouseDown));
}

void TkivButton::StyleChanged() {
  if (UIStyle() == TkivUIStyle::MacOS) SetHeight(kMacOSButtonHeight);
  SetTransparent(UIStyle() == TkivUIStyle::BlueGlass);
}

bool TkivButton::CanResize(int& NewWidth, int& NewHeight) {
  if (UIStyle() == TkivUIStyle::MacOS && NewHeight != kMacOSButtonHeight) return false;
  return TkivCustomButton::CanResize(NewWidth, NewHeight);
}

void TkivButton::DrawPicture(ui::TCanvas& canvas, ui::TBitmap& picture) {
  canvas.Font().Assign(Font());
  if (UIStyle() == TkivUIStyle::Custom) TkivCustomButton::DrawPicture(canvas, picture);
  else if (!picture.Empty()) DrawNineGrid(picture, canvas, ClientRect(), PictureTransparent());
  if (glyph_.Empty()) return;

  // A glyph twice as wide as high holds two images, the second for the disabled state.
  const bool twoImages = glyph_.Width() == 2 * glyph_.Height();
  const SIZE glyphSize{twoImages ? glyph_.Height() : glyph_.Width(), glyph_.Height()};
  const TkivGlyphPlacement place = PlaceGlyph(layout_, {Width(), Height()},
                                              LineExtent(Font(), Caption()), glyphSize, spacing_);
  captionOrigin_ = place.caption;
  POINT at = place.glyph;
  if (Pressed()) {
    ++at.x;
    ++at.y;
  }
  ui::TCustomImageList images(nullptr, glyphSize.cx, glyphSize.cy);
  images.AddMasked(glyph_, glyph_.Pixel(0, 0));
  if (twoImages) images.Draw(canvas, at.x, at.y, Enabled() ? 0 : 1, true);
  else images.Draw(canvas, at.x, at.y, 0, Enabled());
}

void TkivButton::DrawCaption(ui::TCanvas& canvas, const std::string& caption) {
  if (glyph_.Empty()) return TkivCustomButton::DrawCaption(canvas, caption);
  DrawButtonText(canvas, caption, {captionOrigin_.x, captionOrigin_.y, Width(), Height()},
                 DT_SINGLELINE);
}

void TkivButton::DrawFocus(ui::TCanvas& canvas) {
  if (UIStyle() != TkivUIStyle::MacOS && UIStyle() != TkivUIStyle::BlueGlass)
    return TkivCustomButton::DrawFocus(canvas);
  canvas.Pen().SetColor(kStyledFocusColor);
  canvas.Pen().SetWidth(1);
  canvas.MoveTo(10, Height() - 5);
  canvas.LineTo(Width() - 10, Height() - 5);
}

// --- TkivImageButton ---

TkivImageButton::TkivImageButton(ui::TComponent* AOwner) : TkivCustomButton(AOwner) {}

void TkivImageButton::SetPicture(ui::TPicture& own, const ui::TPicture& value) {
  own.Assign(value);
  UpdateAutoSize();
  Invalidate();
}

void TkivImageButton::SetPicNormal(const ui::TPicture& value) { SetPicture(picNormalImage_, value); }
void TkivImageButton::SetPicMouseOn(const ui::TPicture& value) { SetPicture(picMouseOnImage_, value); }
void TkivImageButton::SetPicMouseDown(const ui::TPicture& value) {
  SetPicture(picMouseDownImage_, value);
}
void TkivImageButton::SetPicDisabled(const ui::TPicture& value) {
  SetPicture(picDisabledImage_, value);
}

void TkivImageButton::SetStretch(bool value) {
  stretch_ = value;
  Invalidate();
}

void TkivImageButton::UpdateAutoSize() {
  if (!Parent() || !AutoSize() || !picNormalImage_.HasGraphic()) return;
  SetBounds(Left(), Top(), picNormalImage_.Width(), picNormalImage_.Height());
}

// A picture holding something other than a bitmap counts as failed to load; an empty one
// loads as nothing to draw.
bool TkivImageButton::LoadStatePicture(const ui::TPicture& state, ui::TBitmap& picture) const {
  const ui::TPicture& source = state.HasGraphic() ? state : picNormalImage_;
  if (!source.HasGraphic()) return true;
  auto* bitmap = dynamic_cast<const ui::TBitmap*>(source.Graphic());
  if (!bitmap) return false;
  picture.Assign(*bitmap);
  return true;
}

bool TkivImageButton::LoadNormalPicture(ui::TBitmap& picture) {
  return LoadStatePicture(picNormalImage_, picture);
}
bool TkivImageButton::LoadMouseOnPicture(ui::TBitmap& picture) {
  return LoadStatePicture(picMouseOnImage_, picture);
}
bool TkivImageButton::LoadMouseDownPicture(ui::TBitmap& picture) {
  return LoadStatePicture(picMouseDownImage_, picture);
}
bool TkivImageButton::LoadDisabledPicture(ui::TBitmap& picture) {
  return LoadStatePicture(picDisabledImage_, picture);
}

void TkivImageButton::DrawPicture(ui::TCanvas& canvas, ui::TBitmap& picture) {
  if (picture.Empty()) return;
  picture.SetTransparentMode(ui::tmFixed);
  picture.SetTransparentColor(picture.Pixel(0, 0));
  if (stretch_) canvas.StretchDraw({0, 0, Width(), Height()}, picture);
  else canvas.Draw(0, 0, picture);
}

}  // namespace kiv
