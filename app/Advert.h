// TfrmAdvert, the window "Quorrel:" that presents one of two other products of the maker: mode
// 1 the recorder, mode 2 the converter, set by the caller right before the window is shown.
#pragma once

#include "AppForm.h"
#include "Image.h"
#include "KIVButton.h"
#include "Label.h"
#include "Bevel.h"

namespace app {

// What the advert window says and opens for one product.
struct AdvertProduct {
  const char* description;
  const char* download;
  const char* information;
};
// The product of a mode, or none for another mode.
const AdvertProduct* AdvertProductOf(int mode);

class TfrmAdvert : public TAppForm {
  UI_CLASS(TfrmAdvert, TAppForm)
 public:
  TfrmAdvert(ui::TComponent* AOwner, AppContext& context);

  int Mode = 0;

  ui::TImage* Image1 = nullptr;
  ui::TLabel *lbAdvert = nullptr, *lbMore = nullptr;
  ui::TBevel* Bevel1 = nullptr;
  kiv::TkivButton *bDownload = nullptr, *bCancel = nullptr, *bBuy = nullptr;

  void FormShow(ui::TComponent* Sender);
  void bDownloadClick(ui::TComponent* Sender);
  void lbMoreClick(ui::TComponent* Sender);
  void bCancelClick(ui::TComponent* Sender);
};

}  // namespace app
