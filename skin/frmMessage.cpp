#include "frmMessage.h"

namespace kiv {

namespace {

constexpr int kTextWidth = 225;

}  // namespace

TfrmMsg::TfrmMsg(ui::TComponent* AOwner) : TForm(AOwner) {
  ui::TLayoutLoading loading(*this);
  SetName("frmMsg");
  SetBorderStyle(ui::bsDialog);
  SetClientSize(334, 139);
  ui::TFont font;
  font.SetName("MS Sans Serif");
  font.SetHeight(-11);
  SetFont(font);
  ui::TSizeConstraints limits = Constraints();
  limits.MinWidth = 130;
  SetConstraints(limits);

  kivForm1 = new TkivForm(this);
  kivForm1->SetName("kivForm1");
  kivForm1->SetBounds(1, 0, 332, 138);
  kivForm1->SetUIStyle(TkivUIStyle::DeepBlue);
  kivForm1->SetBorderColor(ui::clBlack);
  kivForm1->SetBorderWidth(1);
  kivForm1->SetTitleBarVisible(true);
  TkivTitleBarButtons& buttons = kivForm1->TitleBarButtons();
  buttons.Clear();
  buttons.Add().SetButtonType(kivClose);
  ui::TFont title;
  title.SetName("Tahoma");
  title.SetStyle(ui::fsBold);
  title.SetColor(ui::clWhite);
  title.SetHeight(-11);
  kivForm1->SetFont(title);
  kivForm1->SetColor(15263976);
  // The dialog's style reaches its buttons through the skin.
  kivForm1->SetUIStyleAutoUpdateSub(true);

  lbl = new ui::TLabel(this);
  lbl->SetName("lbl");
  lbl->SetParent(kivForm1);
  lbl->SetTransparent(true);
  lbl->SetWordWrap(true);
  lbl->SetAutoSize(true);
  lbl->SetBounds(88, 64, kTextWidth, 13);
  ui::TSizeConstraints fixed{kTextWidth, 0, kTextWidth, 0};
  lbl->SetConstraints(fixed);

  Image1 = new ui::TImage(this);
  Image1->SetName("Image1");
  Image1->SetParent(kivForm1);
  Image1->SetBounds(24, 64, 40, 40);
  Image1->SetTransparent(true);
  Image1->SetAutoSize(true);
}

}  // namespace kiv
