// TCustomListBox / TListBox: the native list box: items (kept across a new window with the
// selection), single or multiple selection, sorting, owner-drawn items of fixed or variable
// height, and OnClick when the user changes the selection.
#pragma once

#include "ListControl.h"

namespace ui {

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

class TCustomListBox : public TCustomListControl {
  UI_CLASS(TCustomListBox, TCustomListControl)
 public:
  explicit TCustomListBox(TComponent* AOwner);

  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle value);
  bool Sorted() const { return Items().Sorted(); }
  void SetSorted(bool value) { Items().SetSorted(value); }
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool value);
  // The height is a whole number of items.
  bool IntegralHeight() const { return integralHeight_; }
  void SetIntegralHeight(bool value);
  // With several selected, the item that has the focus rectangle.
  int ItemIndex() override;
  void SetItemIndex(int value) override;
  bool Selected(int index);
  void SetSelected(int index, bool value);
  int SelCount();
  // The first item shown.
  int TopIndex();
  void SetTopIndex(int value);
  // The item at a client point, -1 for none.
  int ItemAtPos(POINT point);
  RECT ItemRect(int index);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  bool VariableItemHeight() const override { return style_ == lbOwnerDrawVariable; }
  // Owner-drawn by the class itself, whatever Style says (a check list draws its marks).
  virtual bool DrawsItself() const { return false; }

 private:
  TListBoxStyle style_ = lbStandard;
  bool multiSelect_ = false;
  bool integralHeight_ = false;
};

class TListBox : public TCustomListBox {
  UI_CLASS(TListBox, TCustomListBox)
 public:
  using TCustomListBox::TCustomListBox;
};

}  // namespace ui
