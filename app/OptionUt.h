// TfrmOption: the options dialog and the settings file. Made at start-up in its place in the windows' creation order.
#pragma once

#include "AppForm.h"

namespace app {

class TfrmOption : public TAppForm {
  UI_CLASS(TfrmOption, TAppForm)
 public:
  TfrmOption(ui::TComponent* AOwner, AppContext& context)
      : TAppForm(AOwner, context, "frmOption", "Options", 480, 380, kiv::TkivUIStyle::Protein) {
    context.frmOption = this;
  }
};

}  // namespace app
