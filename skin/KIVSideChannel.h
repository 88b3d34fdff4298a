// Unit KIVSideChannel: TkivSideChannel, a fold-out panel docked at the left or right edge of
// its parent. Folded it shows only its side bar with a picture button; the pointer over the bar
// (or a click on it, by choice) opens it to its full width with a caption strip and a pin
// button, and it folds back by itself once the pointer has left it, unless it is pinned. The
// opening and folding are stepped by a timer: no message loop runs inside them, so a click, a
// second pop or the window closing meanwhile cannot re-enter them.
#pragma once

#include "KIVButton.h"
#include "KIVThemes.h"
#include "Panel.h"
#include "SpeedButton.h"
#include "Timer.h"

namespace kiv {

// Scoped: the title bar aligns its sections by enumerators of the same names, and a skinned
// window holds both.
enum class TkivSideChannelAlign { kivLeft, kivRight };
enum TkivSideChannelPopupMode { kivMouseOn, kivMouseClick };

class TkivSideChannel : public ui::TCustomPanel, public IkivSideBarColored {
  UI_CLASS(TkivSideChannel, ui::TCustomPanel)
 public:
  // What a channel whose open width was never given opens to.
  static constexpr int kDefaultOpenWidth = 150;
  // Pixels a step of the opening or folding moves, and the time between steps.
  static constexpr int kStep = 15;
  static constexpr int kStepInterval = 10;

  explicit TkivSideChannel(ui::TComponent* AOwner);

  // The open width (published as Width; the control's own width is the folded or open one).
  int ExpandedWidth() const { return expandedWidth_; }
  void SetExpandedWidth(int value);
  TColor SideBarColor() const { return sideBar_->Color(); }
  void SetSideBarColor(TColor color) override;
  int SideBarWidth() const { return sideBar_->Width(); }
  // Folds the channel at once to the new bar width.
  void SetSideBarWidth(int value);
  // The caption strip's text while open (the panel's own text stays " ").
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  ui::TAlignment Alignment() const { return captionStrip_->Alignment(); }
  void SetAlignment(ui::TAlignment value) { captionStrip_->SetAlignment(value); }
  // The edge of the parent the channel is docked at.
  TkivSideChannelAlign Align() const { return align_; }
  void SetAlign(TkivSideChannelAlign value);
  // Pinned open.
  bool StayOn() const { return stayOn_; }
  void SetStayOn(bool value);
  TkivSideChannelPopupMode PopupMode() const { return popupMode_; }
  void SetPopupMode(TkivSideChannelPopupMode value) { popupMode_ = value; }
  // Open and fold at once, without steps.
  bool QuickMove() const { return quickMove_; }
  void SetQuickMove(bool value) { quickMove_ = value; }

  // The narrow bar that stays when folded (the pointer over it opens the channel).
  ui::TPanel& SideBar() const { return *sideBar_; }
  bool Folded() const { return SideBarWidth() >= Width(); }
  // Opening or folding is under way.
  bool Moving() const { return moving_; }
  void Pop(bool quick);
  void Fold(bool quick);

  ui::TNotifyEvent OnPush;  // at the end of every fold
  ui::TNotifyEvent OnPop;   // at the end of every opening

 protected:
  void WndProc(ui::TMessage& Message) override;
  void Resize() override;
  bool CanResize(int& NewWidth, int& NewHeight) override;

 private:
  void HoverPop();
  void ClickPop();
  void FoldCheck();
  void PinToggle();
  void Step();
  void Finish();
  void LoadPinGlyph(bool down);
  int OpenWidth() const;

  ui::TPanel* sideBar_;
  ui::TPanel* captionStrip_;
  ui::TSpeedButton* pinButton_;
  TkivButton* barButton_;
  ui::TTimer* foldTimer_;
  ui::TTimer* stepTimer_;
  int expandedWidth_ = 0;
  int target_ = 0;  // the width the running movement ends at
  bool moving_ = false;
  TkivSideChannelAlign align_ = TkivSideChannelAlign::kivLeft;
  bool stayOn_ = false;
  TkivSideChannelPopupMode popupMode_ = kivMouseOn;
  bool quickMove_ = false;
  std::string caption_;
};

}  // namespace kiv
