#include "About.h"

#include "JpegPicture.h"
#include "ShellOpen.h"

namespace app {

TfrmAbout::TfrmAbout(ui::TComponent* AOwner, AppContext& context)
    : TAppForm(AOwner, context, "frmAbout", "About Ombrel", 350, 219, kiv::TkivUIStyle::Protein) {
  context.frmAbout = this;
  ui::TLayoutLoading loading(*this);
  // The picture fills the skin below its title bar; the link area lies over its lower left.
  const int top = kivForm->TitleBar().Height();
  // The whole picture shows below the title bar, inside the skin's frame.
  SetClientSize(350 + 2 * kivForm->BorderWidth(), top + 219 + kivForm->BorderWidth());
  Image1 = ui::Create<ui::TImage>(this);
  Image1->SetName("Image1");
  Image1->SetParent(kivForm);
  Image1->SetBounds(0, top, 350, 219);
  LoadJpegResource("ABOUT_PICTURE", Image1->Picture().Bitmap());
  lbHome = ui::Create<ui::TLabel>(this);
  lbHome->SetName("lbHome");
  lbHome->SetParent(kivForm);
  lbHome->SetAutoSize(false);
  lbHome->SetTransparent(true);
  lbHome->SetCaption("");
  lbHome->SetBounds(8, top + 199, 130, 14);
  lbHome->SetCursor(ui::crHandPoint);
  lbHome->OnClick = [this](ui::TComponent* sender) { lbHomeClick(sender); };
}

void TfrmAbout::lbHomeClick(ui::TComponent*) { ShellOpen(kHomePage); }

void TfrmAbout::WndProc(ui::TMessage& Message) {
  if (Message.Msg == ui::CM_DIALOGKEY && (Message.WParam == VK_ESCAPE || Message.WParam == VK_RETURN)) {
    Close();
    Message.Result = 1;
    return;
  }
  TAppForm::WndProc(Message);
}

}  // namespace app
