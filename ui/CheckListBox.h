// TCheckListBox: a list box whose items carry check marks, drawn left of each item (flat or
// raised); a click on a mark, or the space bar on the selected item, toggles it and tells
// OnClickCheck. The marks stay with their items when the list sorts or gets a new window.
#pragma once

#include "ListBox.h"

namespace ui {

class TCheckListBox : public TCustomListBox {
  UI_CLASS(TCheckListBox, TCustomListBox)
 public:
  using TCustomListBox::TCustomListBox;

  bool Checked(int index) const { return Items().State(index) != 0; }
  void SetChecked(int index, bool value);
  bool Flat() const { return flat_; }
  void SetFlat(bool value);

  TNotifyEvent OnClickCheck;

 protected:
  bool DrawsItself() const override { return true; }
  void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) override;
  void WndProc(TMessage& Message) override;
  virtual void ClickCheck();

 private:
  void Toggle(int index);

  bool flat_ = true;
};

}  // namespace ui
