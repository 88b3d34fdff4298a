// TfrmAbout, the about box "About Ombrel": the about picture filling the window, with a link
// area over its lower left corner where the picture shows the home page's address.
#pragma once

#include "AppForm.h"
#include "Image.h"
#include "Label.h"

namespace app {

class TfrmAbout : public TAppForm {
  UI_CLASS(TfrmAbout, TAppForm)
 public:
  TfrmAbout(ui::TComponent* AOwner, AppContext& context);

  ui::TImage* Image1 = nullptr;
  ui::TLabel* lbHome = nullptr;

  void lbHomeClick(ui::TComponent* Sender);

 protected:
  // Nothing on the box takes the focus: Escape and Enter close it, as they close the system's
  // about boxes.
  void WndProc(ui::TMessage& Message) override;
};

}  // namespace app
