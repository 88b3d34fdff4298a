// Unit KIVMemo: the class library's memo with the style's flat frame and, when attached,
// skinned vertical and horizontal scroll bars standing over its native ones. The native bars
// follow the attached ones (ScrollBars), the skinned bars follow the native state after
// everything that may scroll the text (keys, wheel, typing, added lines), and a move of a
// skinned bar scrolls the text. A bar with nothing to scroll stays, disabled and thumbless.
#pragma once

#include "KIVFramedControl.h"
#include "KIVScrollLink.h"
#include "Memo.h"

namespace kiv {

class TkivMemo : public TkivFramed<ui::TCustomMemo> {
  UI_CLASS(TkivMemo, TkivFramed<ui::TCustomMemo>)
 public:
  explicit TkivMemo(ui::TComponent* AOwner);

  // Sibling controls on the same window, not owned; nullptr lets the attached one go.
  TkivScrollBar* VScrollBar() const { return vertical_.Bar(); }
  void SetVScrollBar(TkivScrollBar* bar);
  TkivScrollBar* HScrollBar() const { return horizontal_.Bar(); }
  void SetHScrollBar(TkivScrollBar* bar);

 protected:
  void WndProc(ui::TMessage& Message) override;
  void Notification(ui::TComponent* AComponent, ui::TOperation Operation) override;

 private:
  void Attach(TkivScrollLink& link, TkivScrollBar* bar);
  void Sync();
  void PlaceBars();
  void BarChanged(TkivScrollLink& link);
  // Scrolls by lines or average characters to a position the scroll message cannot carry.
  void ScrollWide(bool vertical, int position);

  TkivScrollLink horizontal_{*this, kivHorizontal};
  TkivScrollLink vertical_{*this, kivVertical};
  bool syncing_ = false;
  bool pressed_ = false;
};

}  // namespace kiv
