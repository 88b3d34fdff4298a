#include "AppForm.h"

namespace app {

TAppForm::TAppForm(ui::TComponent* AOwner, AppContext& context, const std::string& name, const std::string& caption,
                   int clientWidth, int clientHeight, kiv::TkivUIStyle style, ui::TFormBorderStyle border)
    : TForm(AOwner), context_(context) {
  ui::TLayoutLoading loading(*this);
  SetName(name);
  SetCaption(caption);
  SetBorderStyle(border);
  SetPosition(ui::poScreenCenter);
  SetClientSize(clientWidth, clientHeight);
  kivForm = SkinForm(*this, style);
}

kiv::TkivForm* SkinForm(ui::TForm& form, kiv::TkivUIStyle style) {
  auto* skin = ui::Create<kiv::TkivForm>(&form);
  skin->SetName("kivForm");
  skin->SetUIStyle(style);
  skin->TitleBarButtons().Clear();
  skin->TitleBarButtons().Add().SetButtonType(kiv::kivClose);
  return skin;
}

}  // namespace app
