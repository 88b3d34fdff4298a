// TfrmEdit: the track-edit dialog. Made at start-up in its place in the windows' creation order.
#pragma once

#include "AppForm.h"

namespace app {

class TfrmEdit : public TAppForm {
  UI_CLASS(TfrmEdit, TAppForm)
 public:
  TfrmEdit(ui::TComponent* AOwner, AppContext& context)
      : TAppForm(AOwner, context, "frmEdit", "Edit Audio Information", 372, 236, kiv::TkivUIStyle::MacOS) {
    context.frmEdit = this;
  }
};

}  // namespace app
