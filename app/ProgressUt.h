// TfrmProgress: the rip loop's progress dialog: two progress bars and Cancel. Made at start-up in its place in the windows' creation order.
#pragma once

#include "AppForm.h"

namespace app {

class TfrmProgress : public TAppForm {
  UI_CLASS(TfrmProgress, TAppForm)
 public:
  TfrmProgress(ui::TComponent* AOwner, AppContext& context)
      : TAppForm(AOwner, context, "frmProgress", "Extract CD Progress", 346, 174, kiv::TkivUIStyle::Protein) {
    context.frmProgress = this;
  }
};

}  // namespace app
