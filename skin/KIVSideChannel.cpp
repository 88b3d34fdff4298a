#include "KIVSideChannel.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace kiv {

namespace {

constexpr int kMinOpenWidth = 50;

}  // namespace

TkivSideChannel::TkivSideChannel(ui::TComponent* AOwner) : TCustomPanel(AOwner) {
  sideBar_ = new ui::TPanel(this);
  captionStrip_ = new ui::TPanel(this);
  pinButton_ = new ui::TSpeedButton(this);
  barButton_ = ui::Create<TkivButton>(this);
  auto hover = [this](ui::TComponent*, ui::TShiftState, int, int) { HoverPop(); };
  auto click = [this](ui::TComponent*) { ClickPop(); };

  captionStrip_->SetParent(this);
  captionStrip_->SetAlign(ui::alTop);
  captionStrip_->SetHeight(16);
  captionStrip_->SetBevelOuter(ui::bvNone);
  captionStrip_->OnMouseMove = hover;
  captionStrip_->OnResize = [this](ui::TComponent*) {
    pinButton_->SetLeft(captionStrip_->Width() - pinButton_->Width());
  };
  sideBar_->SetParent(this);
  sideBar_->SetAlign(ui::alLeft);
  sideBar_->SetWidth(10);
  sideBar_->SetBevelOuter(ui::bvNone);
  sideBar_->OnMouseMove = hover;
  sideBar_->OnClick = click;

  pinButton_->SetParent(captionStrip_);
  pinButton_->SetFlat(true);
  pinButton_->SetBounds(captionStrip_->Width() - 20, 0, 20, 16);
  pinButton_->SetGroupIndex(1);
  pinButton_->SetAllowAllUp(true);
  LoadPinGlyph(false);
  pinButton_->OnClick = [this](ui::TComponent*) { PinToggle(); };

  barButton_->SetParent(sideBar_);
  barButton_->SetUIStyle(TkivUIStyle::Custom);
  barButton_->SetResHandle(nullptr);
  barButton_->SetPicNormalResName("SIDECHANNEL_BAR_NORMAL");
  barButton_->SetPicMouseOnResName("SIDECHANNEL_BAR_MOUSEON");
  barButton_->SetPicMouseDownResName("SIDECHANNEL_BAR_MOUSEON");
  barButton_->SetTabStop(false);
  barButton_->SetAutoSize(true);
  barButton_->SetBounds(0, 0, barButton_->Width(), barButton_->Height());
  barButton_->OnMouseMove = hover;
  barButton_->OnClick = click;

  foldTimer_ = new ui::TTimer(this);
  foldTimer_->SetInterval(500);
  foldTimer_->SetEnabled(false);
  foldTimer_->OnTimer = [this](ui::TComponent*) { FoldCheck(); };
  stepTimer_ = new ui::TTimer(this);
  stepTimer_->SetInterval(kStepInterval);
  stepTimer_->SetEnabled(false);
  stepTimer_->OnTimer = [this](ui::TComponent*) { Step(); };

  SetBevelOuter(ui::bvNone);
  SetAlign(TkivSideChannelAlign::kivLeft);
  TCustomPanel::SetCaption(" ");
  SetColor(GetOwnerFormColor(AOwner));
  SetSideBarColor(Color());
  Fold(true);
  // Folding measured nothing the user chose: the open width is still unknown.
  expandedWidth_ = 0;
}

int TkivSideChannel::OpenWidth() const {
  return expandedWidth_ > SideBarWidth() ? expandedWidth_ : std::max(kDefaultOpenWidth, SideBarWidth());
}

void TkivSideChannel::SetExpandedWidth(int value) { expandedWidth_ = value; }

void TkivSideChannel::SetSideBarColor(TColor color) {
  sideBar_->SetColor(color);
  captionStrip_->SetColor(color);
}

void TkivSideChannel::SetSideBarWidth(int value) {
  sideBar_->SetWidth(value);
  Fold(true);
}

void TkivSideChannel::SetCaption(const std::string& value) {
  caption_ = value;
  // A folded strip is too narrow for any text: it shows the caption once open.
  if (pinButton_->Visible()) captionStrip_->SetCaption(value);
}

void TkivSideChannel::SetAlign(TkivSideChannelAlign value) {
  align_ = value;
  TCustomPanel::SetAlign(value == TkivSideChannelAlign::kivLeft ? ui::alLeft : ui::alRight);
}

void TkivSideChannel::SetStayOn(bool value) {
  stayOn_ = value;
  if (value) {
    Pop(true);
    pinButton_->SetDown(true);
  } else {
    pinButton_->SetDown(false);
    Fold(true);
  }
  PinToggle();
}

void TkivSideChannel::HoverPop() {
  if (Folded() && !moving_ && popupMode_ == kivMouseOn) Pop(quickMove_);
}

void TkivSideChannel::ClickPop() {
  if (popupMode_ == kivMouseClick) Pop(quickMove_);
}

void TkivSideChannel::Pop(bool quick) {
  moving_ = true;
  pinButton_->Show();
  target_ = OpenWidth();
  if (quick) {
    SetWidth(target_);
    return Finish();
  }
  stepTimer_->SetEnabled(true);
}

void TkivSideChannel::Fold(bool quick) {
  moving_ = true;
  foldTimer_->SetEnabled(false);
  target_ = SideBarWidth();
  if (quick) {
    SetWidth(target_);
    return Finish();
  }
  stepTimer_->SetEnabled(true);
}

void TkivSideChannel::Step() {
  const int width = Width();
  if (target_ > width && width + kStep < target_) {
    SetWidth(width + kStep);
  } else if (target_ < width && width - kStep > target_) {
    SetWidth(width - kStep);
  } else {
    SetWidth(target_);
    return Finish();
  }
  Repaint();
}

void TkivSideChannel::Finish() {
  stepTimer_->SetEnabled(false);
  Repaint();
  const bool opened = target_ > SideBarWidth();
  if (opened) {
    // A pinned channel stays open: only an unpinned one watches for the pointer leaving.
    foldTimer_->SetEnabled(!stayOn_);
    moving_ = false;
    captionStrip_->SetCaption(caption_);
    if (OnPop) OnPop(this);
  } else {
    pinButton_->Hide();
    captionStrip_->SetCaption("");
    moving_ = false;
    if (OnPush) OnPush(this);
  }
}

void TkivSideChannel::FoldCheck() {
  if (!Parent()) return Fold(true);
  const POINT origin = ClientToScreen({0, 0});
  POINT cursor;
  GetCursorPos(&cursor);
  const bool inside = origin.x < cursor.x && cursor.x < origin.x + Width() && origin.y < cursor.y &&
                      cursor.y < origin.y + Height();
  if (!inside) Fold(quickMove_);
}

void TkivSideChannel::LoadPinGlyph(bool down) {
  ui::TBitmap glyph;
  const char* name = down ? "SIDECHANNEL_BTN_ONTOP" : "SIDECHANNEL_BTN_NOONTOP";
  if (!glyph.LoadFromResourceName(nullptr, name))
    throw std::runtime_error(std::string("Resource ") + name + " not found");
  pinButton_->SetGlyph(glyph);
}

void TkivSideChannel::PinToggle() {
  const bool down = pinButton_->Down();
  foldTimer_->SetEnabled(!down);
  LoadPinGlyph(down);
  stayOn_ = down;
}

void TkivSideChannel::WndProc(ui::TMessage& Message) {
  TCustomPanel::WndProc(Message);
  if (Message.Msg == ui::CM_FONTCHANGED) captionStrip_->SetFont(Font());
}

void TkivSideChannel::Resize() {
  // A user who resized the open channel keeps the new width as its open width.
  if (!moving_ && SideBarWidth() < Width()) expandedWidth_ = Width();
  TCustomPanel::Resize();
}

bool TkivSideChannel::CanResize(int& NewWidth, int& NewHeight) {
  const bool allowed = TCustomPanel::CanResize(NewWidth, NewHeight);
  if (!moving_ && pinButton_->Visible() && NewWidth < kMinOpenWidth) return false;
  return allowed;
}

}  // namespace kiv
