// TAppForm: a window of the application, made once at start-up with the shared context and
// kept until exit. Laid out as a fixed dialog centred on the screen with its caption and
// client size, skinned by a TkivForm in its style with a close button on the title bar; each
// window's unit adds its controls.
#pragma once

#include <string>

#include "AppContext.h"
#include "Form.h"
#include "KIVForm.h"

namespace app {

class TAppForm : public ui::TForm {
  UI_CLASS(TAppForm, TForm)
 public:
  // A sizeable border lets the skin size the window from its edges.
  TAppForm(ui::TComponent* AOwner, AppContext& context, const std::string& name, const std::string& caption,
           int clientWidth, int clientHeight, kiv::TkivUIStyle style, ui::TFormBorderStyle border = ui::bsSingle);

  kiv::TkivForm* kivForm = nullptr;

 protected:
  AppContext& context_;
};

// Skins the form in the style, with only a close button on its title bar.
kiv::TkivForm* SkinForm(ui::TForm& form, kiv::TkivUIStyle style);

}  // namespace app
