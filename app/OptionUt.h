// TfrmOption, the options dialog "Options": the MP3, Ogg Vorbis, CDDB and output settings on four
// pages, kept in OmbrelCon.ini and applied to the main window's ripper (through the encoder
// settings object this dialog owns for the whole run) and to the shared settings. Made at
// start-up in its place in the windows' creation order, where it reads and applies the file.
#pragma once

#include "com/Ptr.h"

#include "AppForm.h"
#include "KIVComboBox.h"
#include "KIVEdit.h"
#include "KIVButton.h"
#include "KIVPageControl.h"
#include "Label.h"
#include "OptionSettings.h"
#include "ZEVDiscRipper.h"

namespace app {

class TfrmOption : public TAppForm {
  UI_CLASS(TfrmOption, TAppForm)
 public:
  TfrmOption(ui::TComponent* AOwner, AppContext& context);

  kiv::TkivPageControl* kivPageControl = nullptr;
  kiv::TkivTabSheet *tbsOutput = nullptr, *tbsFreeDB = nullptr, *tbsOgg = nullptr, *tbsMp3 = nullptr;
  kiv::TkivButton *bOk = nullptr, *bCancel = nullptr, *bSetOutput = nullptr;
  kiv::TkivEdit *edtOutput = nullptr, *edtFreeDBMail = nullptr, *edtFreeDBCgi = nullptr, *edtFreeDBTimeOut = nullptr;
  ui::TLabel* lbFileName = nullptr;
  kiv::TkivComboBox *cmbFilename = nullptr, *cmbFreeDBServer = nullptr, *cmbOggBitrate = nullptr, *cmbOggFreq = nullptr,
                *cmbOggChannel = nullptr, *cmbOggQuality = nullptr, *cmbMp3MinBitrate = nullptr,
                *cmbMp3MaxBitrate = nullptr, *cmbMp3Freq = nullptr, *cmbMp3Channel = nullptr,
                *cmbMp3MpegQuality = nullptr, *cmbMp3VBRQuality = nullptr;
  kiv::TkivRadioButton *rbAddNew = nullptr, *rbOverwrite = nullptr;
  kiv::TkivCheckBox *chkMp3VBR = nullptr, *chkMp3WriteVBRHeader = nullptr;
  // The encoder settings component: handed to the ripper at every apply, kept for the run.
  com::ptr<IAudioCDRipperLameMP3Encoder> AudioCDRipperLameMP3Encoder;

  void FormCreate();
  void bOkClick(ui::TComponent* Sender);
  void chkMp3VBRClick(ui::TComponent* Sender);
  void bSetOutputClick(ui::TComponent* Sender);

  void LoadSettings();
  // False when the file could not be written.
  bool SaveSettings();
  void ApplySettings();
  // What the controls show, as the settings file holds it.
  OptionSettings Settings();

 private:
  void BuildLayout();
  void BuildOutputPage();
  void BuildFreeDBPage();
  void BuildOggPage();
  void BuildMp3Page();
  void ShowSettings(const OptionSettings& s);
};

}  // namespace app
