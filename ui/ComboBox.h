// TCustomComboBox / TComboBox: the native combo box: an editable drop-down (csDropDown), a
// simple one, a drop-down list (csDropDownList) and owner-drawn lists of fixed or variable item
// height. Its window is made again when its font changes (the closed height follows the font),
// and the items and the selection survive that.
#pragma once

#include "ListControl.h"

namespace ui {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TCustomListControl {
  UI_CLASS(TCustomComboBox, TCustomListControl)
 public:
  explicit TCustomComboBox(TComponent* AOwner);

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle value);
  // Items the open list shows without scrolling.
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int value);
  bool Sorted() const { return Items().Sorted(); }
  void SetSorted(bool value) { Items().SetSorted(value); }
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  bool DroppedDown();
  void SetDroppedDown(bool value);

  // Chosen by the user from the list or typed (OnSelect, when set, takes the choices instead).
  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle() override;
  void WndProc(TMessage& Message) override;
  bool VariableItemHeight() const override { return style_ == csOwnerDrawVariable; }
  virtual void Change();
  // The user chose an item from the list.
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();

 private:
  void CNCommand(TMessage& Message);
  // The open list's height in pixels: DropDownCount items and its border.
  int ListHeight();
  void SetListHeight();
  // The selection changed by the user: the click, then the choice.
  void Selected();

  TComboBoxStyle style_ = csDropDown;
  int dropDownCount_ = 8;
  int maxLength_ = 0;
  // The item chosen when the list was opened, chosen again when Escape closes it.
  int droppedIndex_ = -1;
};

class TComboBox : public TCustomComboBox {
  UI_CLASS(TComboBox, TCustomComboBox)
 public:
  using TCustomComboBox::TCustomComboBox;
};

}  // namespace ui
