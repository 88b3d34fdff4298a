// TfrmPathSelect: the output folder selection dialog. Made at start-up in its place in the windows' creation order.
#pragma once

#include "AppForm.h"

namespace app {

class TfrmPathSelect : public TAppForm {
  UI_CLASS(TfrmPathSelect, TAppForm)
 public:
  TfrmPathSelect(ui::TComponent* AOwner, AppContext& context)
      : TAppForm(AOwner, context, "frmPathSelect", "Path Select", 360, 400, kiv::TkivUIStyle::MacOS) {
    context.frmPathSelect = this;
  }
};

}  // namespace app
