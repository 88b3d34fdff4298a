// Unit KIVTreeView: the class library's tree view with the style's flat frame in place of its
// sunken edge (a two-pixel margin: BorderColor outside, the control's colour inside).
#pragma once

#include "TreeView.h"
#include "KIVFramedControl.h"

namespace kiv {

class TkivTreeView : public TkivFramed<ui::TCustomTreeView> {
  UI_CLASS(TkivTreeView, TkivFramed<ui::TCustomTreeView>)
 public:
  explicit TkivTreeView(ui::TComponent* AOwner) : TkivFramed(AOwner, 2) {}
};

}  // namespace kiv
