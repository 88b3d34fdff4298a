#include "FlashUt.h"

#include "JpegPicture.h"


namespace app {

TfrmFlash::TfrmFlash(ui::TComponent* AOwner) : TForm(AOwner) {
  ui::TLayoutLoading loading(*this);
  SetName("frmFlash");
  SetCaption("Flash");
  SetBorderStyle(ui::bsNone);
  SetPosition(ui::poScreenCenter);
  SetClientSize(350, 233);
  ImgFlash = ui::Create<ui::TImage>(this);
  ImgFlash->SetName("ImgFlash");
  ImgFlash->SetParent(this);
  ImgFlash->SetAlign(ui::alClient);
  LoadJpegResource("FLASH_PICTURE", ImgFlash->Picture().Bitmap());
}

}  // namespace app
