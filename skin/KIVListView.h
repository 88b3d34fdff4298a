// Unit KIVListView: the class library's list view with the style's flat frame in place of its
// sunken edge (a two-pixel margin: BorderColor outside, the control's colour inside).
#pragma once

#include "ListView.h"
#include "KIVFramedControl.h"

namespace kiv {

class TkivListView : public TkivFramed<ui::TCustomListView> {
  UI_CLASS(TkivListView, TkivFramed<ui::TCustomListView>)
 public:
  explicit TkivListView(ui::TComponent* AOwner) : TkivFramed(AOwner, 2) {}
};

}  // namespace kiv
