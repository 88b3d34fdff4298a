// TfrmMain, the main window "Ombrel": the CD drives, the type of the disc in the selected drive,
// one row per track with its number, title and length, the selected track's information, the
// selection buttons, CD playback, and the tool bar that opens the other windows. Its layout is
// built by MainLayout.cpp; the disc is read through the ripper component by the three steps of
// DiscReading.h; playback is CdPlayback over the MCI CD audio device.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "AppContext.h"
#include "CdPlayback.h"
#include "Form.h"
#include "Image.h"
#include "ImageList.h"
#include "KIVComboBox.h"
#include "KIVEdit.h"
#include "KIVListView.h"
#include "KIVToolBar.h"
#include "Label.h"
#include "Panel.h"
#include "RipperComponent.h"
#include "Timer.h"

namespace kiv {
class TkivButton;
class TkivForm;
class TkivGroupBox;
class TkivMessageDialog;
enum class TkivIconType;
}  // namespace kiv

namespace app {

class TfrmMain : public ui::TForm, private CdPlaybackView {
  UI_CLASS(TfrmMain, TForm)
 public:
  // device: the CD audio device playback uses (the system's MCI device when none is given).
  TfrmMain(ui::TComponent* AOwner, AppContext& context, std::unique_ptr<CdAudioDevice> device = nullptr);
  ~TfrmMain() override;

  kiv::TkivForm* kivForm = nullptr;
  kiv::TkivToolBar* Toolbar = nullptr;
  ui::TCustomImageList* ToolImages = nullptr;
  ui::TToolButton *bExtract = nullptr, *bRefresh = nullptr, *ToolButton2 = nullptr, *bFolder = nullptr,
                  *bPlayer = nullptr, *bOption = nullptr, *bRecorder = nullptr, *bConverter = nullptr,
                  *bHelp = nullptr, *bHome = nullptr, *bAbout = nullptr;
  ui::TLabel *lbDevice = nullptr, *lbOutput = nullptr, *lbCDType = nullptr, *lbOutputPath = nullptr,
             *lbPlayInfo = nullptr;
  kiv::TkivComboBox *CmbDevice = nullptr, *cmbOutput = nullptr;
  ui::TPanel *Panel1 = nullptr, *Panel2 = nullptr;
  ui::TImage *Image1 = nullptr, *Image2 = nullptr;
  kiv::TkivGroupBox* gbInfo = nullptr;
  kiv::TkivEdit *edtAlbum = nullptr, *edtArtist = nullptr, *edtTitle = nullptr, *edtYear = nullptr,
            *edtCategory = nullptr;
  kiv::TkivButton *btnEdit = nullptr, *btnSelectAll = nullptr, *btnUnSelectAll = nullptr, *btnInvert = nullptr,
                  *btnPlayCD = nullptr, *btnStopCD = nullptr;
  kiv::TkivListView* lvCD = nullptr;
  ui::TTimer* tmPlay = nullptr;
  // The main window's questions and warnings.
  kiv::TkivMessageDialog* kivMessageDialog = nullptr;

  RipperComponent AudioCDRipper1;

  // The track numbers of the checked rows when "Rip Now" was pressed.
  std::vector<int> SelectedTracks;

  // The three disc steps: drive and disc (chosenDrive 1-based, 0 for the current drive),
  // per-track lists, rows.
  void ReadDriveAndDisc(long chosenDrive = 0);
  void ReadTrackLists();
  void ShowTrackRows();
  // The genre names of the tag component, which the track information shows by index; filled
  // by the edit dialog.
  std::vector<std::string> GenreNames;

  void FormCreate();
  void FormShow(ui::TComponent* Sender);
  void CmbDeviceChange(ui::TComponent* Sender);
  void bRefreshClick(ui::TComponent* Sender);
  void lvCDSelectItem(ui::TComponent* Sender, ui::TListItem* Item, bool Selected);
  void bSelectAllClick(ui::TComponent* Sender);
  void bUnSelectAllClick(ui::TComponent* Sender);
  void bInvertClick(ui::TComponent* Sender);
  void bFolderClick(ui::TComponent* Sender);
  void bPlayerClick(ui::TComponent* Sender);
  void bOptionClick(ui::TComponent* Sender);
  void bHelpClick(ui::TComponent* Sender);
  void bHomeClick(ui::TComponent* Sender);
  void bAboutClick(ui::TComponent* Sender);
  void bRecorderClick(ui::TComponent* Sender);
  void bConverterClick(ui::TComponent* Sender);
  void bPlayCDClick(ui::TComponent* Sender);
  void bStopCDClick(ui::TComponent* Sender);
  void tmPlayTimer(ui::TComponent* Sender);

  // "Output Path:  " and the output folder.
  void ShowOutputPath();

  // The rip loop and the track information (MainRip.cpp): "Rip Now" hands the checked tracks
  // to the progress dialog, whose loop the ripper's events reach through here; "Get CDDB";
  // "Edit track Info.".
  void bExtractClick(ui::TComponent* Sender);
  void ToolButton6Click(ui::TComponent* Sender);
  void bEditClick(ui::TComponent* Sender);
  void AudioCDRipper1RipProgress(long Percent);
  void AudioCDRipper1Error(long Errcode);
  // A rip job ended: a disc change seen while it ran is read now.
  void RipJobEnded();
  // The ripper found the disc gone or changed during a rip: once the job is over the disc is
  // read again whatever its serial, since until then the ripper refuses every rip of it.
  void DiscLostDuringRip();
  CdPlayback& Playback() { return playback_; }

 protected:
  void WndProc(ui::TMessage& Message) override;

 private:
  void BuildLayout();
  void BindRipHandlers();
  // The message dialog with one "Cancel" button, or "Ok" and "Cancel"; the modal result.
  int AskUser(const std::string& caption, const std::string& text, kiv::TkivIconType icon, bool withOk);
  // Reads the drive and the disc again when the disc is another one; whether it did.
  bool DeviceChanged();
  // "Get CDDB"'s look-up, the window held as by a modal dialog for its length; whether the
  // ripper found the disc.
  bool LookUpTitles(IAudioCDRipper& ripper);
  void SetDiscActionsEnabled(bool enabled);
  // The track information and the track buttons with no row chosen.
  void ShowNoTrackChosen();
  // The year the track information shows with no row chosen.
  static constexpr const char* kNoTrackYear = "2003";
  // The skinned message that the ripper object could not be made, with the failure's code.
  void ReportNoRipper(HRESULT failure);
  std::string CurrentDriveLetter();

  void SetPlayEnabled(bool enabled) override;
  void SetStopEnabled(bool enabled) override;
  void SetPlayInfo(const std::string& text) override;
  void SetPlayTimer(bool on) override;

  AppContext& context_;
  std::unique_ptr<CdAudioDevice> device_;
  CdPlayback playback_;
  // The disc changed while a rip job ran: it is read when the job ends.
  bool discChangedDuringRip_ = false;
  // A device changed during a CDDB look-up: it is answered once the look-up is over.
  bool deviceChangedDuringLookUp_ = false;
};

}  // namespace app
