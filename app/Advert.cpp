#include "Advert.h"

#include "FormPlacing.h"
#include "JpegPicture.h"
#include "ShellOpen.h"

namespace app {

namespace {

const AdvertProduct kRecorder{
    "Ombrel Recorder records whatever your computer plays: radio, tapes and records through the line "
    "input, straight into MP3, Ogg Vorbis or WAV files, with level meters, silence detection and "
    "automatic track splitting.",
    "http://www.talvo-audio.com/download/ombrel-recorder.exe", "http://www.talvo-audio.com/recorder/"};
const AdvertProduct kConverter{
    "Ombrel Converter turns your audio files from one format into another: WAV, MP3, WMA and Ogg "
    "Vorbis, a whole folder at a time, keeping the title, artist, album and genre of every file.",
    "http://www.talvo-audio.com/download/ombrel-converter.exe", "http://www.talvo-audio.com/converter/"};

}  // namespace

const AdvertProduct* AdvertProductOf(int mode) {
  return mode == 1 ? &kRecorder : mode == 2 ? &kConverter : nullptr;
}

TfrmAdvert::TfrmAdvert(ui::TComponent* AOwner, AppContext& context)
    : TAppForm(AOwner, context, "frmAdvert", "Quorrel:", 381, 260, kiv::TkivUIStyle::MacOS) {
  context.frmAdvert = this;
  ui::TLayoutLoading loading(*this);
  OnShow = [this](ui::TComponent* sender) { FormShow(sender); };
  const int top = kivForm->TitleBar().Height();
  Image1 = ui::Create<ui::TImage>(this);
  Image1->SetName("Image1");
  Image1->SetParent(kivForm);
  Image1->SetBounds(12, top + 10, 120, 170);
  LoadJpegResource("ADVERT_PICTURE", Image1->Picture().Bitmap());
  // The bevel between the description and the buttons.
  Bevel1 = ui::Create<ui::TBevel>(this);
  Bevel1->SetName("Bevel1");
  Bevel1->SetParent(kivForm);
  Bevel1->SetShape(ui::bsTopLine);
  Bevel1->SetBounds(12, top + 190, 355, 2);
  lbAdvert = ui::Create<ui::TLabel>(this);
  lbAdvert->SetName("lbAdvert");
  lbAdvert->SetParent(kivForm);
  lbAdvert->SetAutoSize(false);
  lbAdvert->SetWordWrap(true);
  lbAdvert->SetBounds(146, top + 12, 222, 140);
  lbMore = ui::Create<ui::TLabel>(this);
  lbMore->SetName("lbMore");
  lbMore->SetParent(kivForm);
  lbMore->SetCaption("More Information");
  lbMore->SetBounds(146, top + 162, 120, 16);
  lbMore->Font().SetColor(ui::clBlue);
  lbMore->Font().SetStyle(ui::fsUnderline);
  lbMore->SetCursor(ui::crHandPoint);
  lbMore->OnClick = [this](ui::TComponent* sender) { lbMoreClick(sender); };
  const auto button = [this, top](kiv::TkivButton*& field, const char* name, const char* caption, int left) {
    field = ui::Create<kiv::TkivButton>(this);
    field->SetName(name);
    field->SetParent(kivForm);
    field->SetCaption(caption);
    field->SetBounds(left, top + 202, 85, field->Height());
  };
  button(bBuy, "bBuy", "Buy Now", 12);
  bBuy->SetVisible(false);  // the layout's third button is never shown
  button(bDownload, "bDownload", "Download", 190);
  button(bCancel, "bCancel", "OK", 284);
  SetDialogKeys(bCancel, bCancel);
  bDownload->OnClick = [this](ui::TComponent* sender) { bDownloadClick(sender); };
  bCancel->OnClick = [this](ui::TComponent* sender) { bCancelClick(sender); };
}

void TfrmAdvert::FormShow(ui::TComponent*) {
  if (const AdvertProduct* product = AdvertProductOf(Mode)) lbAdvert->SetCaption(product->description);
}

void TfrmAdvert::bDownloadClick(ui::TComponent*) {
  if (const AdvertProduct* product = AdvertProductOf(Mode)) ShellOpen(product->download);
}

void TfrmAdvert::lbMoreClick(ui::TComponent*) {
  if (const AdvertProduct* product = AdvertProductOf(Mode)) ShellOpen(product->information);
}

void TfrmAdvert::bCancelClick(ui::TComponent*) { Close(); }

}  // namespace app
