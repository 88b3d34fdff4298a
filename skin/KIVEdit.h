// Unit KIVEdit: the class library's edit with the style's flat frame in place of its sunken edge
// (a two-pixel margin: BorderColor outside, the control's colour inside).
#pragma once

#include "Edit.h"
#include "KIVFramedControl.h"

namespace kiv {

class TkivEdit : public TkivFramed<ui::TCustomEdit> {
  UI_CLASS(TkivEdit, TkivFramed<ui::TCustomEdit>)
 public:
  explicit TkivEdit(ui::TComponent* AOwner) : TkivFramed(AOwner, 2) {}
};

}  // namespace kiv
