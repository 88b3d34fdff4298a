// Unit KIVCheckListBox: the class library's check list box, flat, with the style's frame over a
// one-pixel margin. Its border is the frame: BorderStyle always reads single and BorderWidth 1,
// whatever a window layout writes to them.
#pragma once

#include "CheckListBox.h"
#include "KIVFramedControl.h"

namespace kiv {

class TkivCheckListBox : public TkivFramed<ui::TCheckListBox> {
  UI_CLASS(TkivCheckListBox, TkivFramed<ui::TCheckListBox>)
 public:
  explicit TkivCheckListBox(ui::TComponent* AOwner) : TkivFramed(AOwner, 1, false) {
    SetFlat(true);
  }

  ui::TBorderStyle BorderStyle() const { return ui::bsSingle; }
  // Any value keeps the native border off.
  void SetBorderStyle(ui::TBorderStyle) { TkivFramed::SetBorderStyle(ui::bsNone); }
  int BorderWidth() const { return 1; }
  // Any value keeps the one-pixel margin.
  void SetBorderWidth(int) { TkivFramed::SetBorderWidth(1); }
};

}  // namespace kiv
