// TfrmPlayer: the player window. Made at start-up in its place in the windows' creation order.
#pragma once

#include "AppForm.h"

namespace app {

class TfrmPlayer : public TAppForm {
  UI_CLASS(TfrmPlayer, TAppForm)
 public:
  TfrmPlayer(ui::TComponent* AOwner, AppContext& context)
      : TAppForm(AOwner, context, "frmPlayer", "Ombrel - Player", 640, 480, kiv::TkivUIStyle::DeepBlue) {
    context.frmPlayer = this;
  }
};

}  // namespace app
