// Unit KIVListBox: the class library's list box with the style's flat frame and, when one is
// attached, a skinned vertical scroll bar standing over its native one: the native list keeps
// doing the scrolling, the skinned bar follows it after every message that may move the items
// (shown only while the native bar is), and a move of the skinned bar scrolls the list.
#pragma once

#include "KIVFramedControl.h"
#include "KIVScrollLink.h"
#include "ListBox.h"

namespace kiv {

class TkivListBox : public TkivFramed<ui::TCustomListBox> {
  UI_CLASS(TkivListBox, TkivFramed<ui::TCustomListBox>)
 public:
  explicit TkivListBox(ui::TComponent* AOwner);

  // A sibling control on the same window, not owned; nullptr lets the attached one go.
  TkivScrollBar* VScrollBar() const { return vertical_.Bar(); }
  void SetVScrollBar(TkivScrollBar* bar);

 protected:
  void CreateWnd() override;
  void WndProc(ui::TMessage& Message) override;
  void Notification(ui::TComponent* AComponent, ui::TOperation Operation) override;

 private:
  void Sync();
  void PlaceBar();
  void BarChanged();

  TkivScrollLink vertical_{*this, kivVertical};
  bool syncing_ = false;
  bool pressed_ = false;
};

}  // namespace kiv
