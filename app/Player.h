// TfrmPlayer, the player window "Ombrel - Player": the folders as a shell tree, the play list of
// the chosen folder's audio files (sortable by column), playback with a progress slider that
// seeks, pause and stop, volume and mute, a 12-band equalizer with five presets and a flat
// button, and the level display in its five display types fed from what is playing. Files are
// read by the file control, played by the player control, measured by the tag control; all
// through COM. Its layout is built by PlayerLayout.cpp.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "AppForm.h"
#include "EqualizerPresets.h"
#include "KIVListView.h"
#include "KIVToolBar.h"
#include "OleControl.h"
#include "PlayList.h"
#include "ShellTreeView.h"
#include "com/Ptr.h"

#include "ZEVAudioDesign.h"
#include "ZEVAudioFile.h"
#include "ZEVAudioInformation.h"
#include "ZEVAudioPlayer.h"

// The display's header is left to Player.cpp: its enumerations share names with the ripper's,
// whose header the windows that know this one include.
struct IZEVAudioDisplay;

namespace kiv {
class TkivButton;
class TkivCheckBox;
class TkivGroupBox;
class TkivRadioButton;
class TkivTrackBar;
}  // namespace kiv

namespace app {

// Wide enough that the level display, which never shows narrower than 250 pixels, fits its
// group beside the equalizer.
inline constexpr int kPlayerClientWidth = 850;

class TfrmPlayer : public TAppForm {
  UI_CLASS(TfrmPlayer, TAppForm)
 public:
  TfrmPlayer(ui::TComponent* AOwner, AppContext& context);
  ~TfrmPlayer() override;

  ui::TShellTreeView* STV = nullptr;
  kiv::TkivListView* lvPlayList = nullptr;
  kiv::TkivToolBar* kivToolBar1 = nullptr;
  ui::TToolButton *btnPlay = nullptr, *bPause = nullptr, *bStop = nullptr, *bOutputPath = nullptr,
                  *bRipper = nullptr, *ToolButton1 = nullptr, *ToolButton2 = nullptr, *bHelp = nullptr,
                  *bHome = nullptr, *bAbout = nullptr;
  kiv::TkivTrackBar *tbPlaybackProgress = nullptr, *tbPlaybackVolume = nullptr;
  kiv::TkivCheckBox *cboxMute = nullptr, *cboxEQ = nullptr;
  kiv::TkivButton *sbtnMode1 = nullptr, *sbtnMode2 = nullptr, *sbtnMode3 = nullptr, *sbtnMode4 = nullptr,
                  *sbtnMode5 = nullptr, *sbtnFlat = nullptr;
  kiv::TkivRadioButton *kivRadioButton1 = nullptr, *kivRadioButton2 = nullptr, *kivRadioButton3 = nullptr,
                       *kivRadioButton4 = nullptr, *kivRadioButton5 = nullptr;
  kiv::TkivGroupBox *gbEqualizer = nullptr, *gbDisplay = nullptr;
  ui::TOleControl *AD = nullptr, *AE = nullptr, *AP = nullptr;

  // The file control and the tag control: automation objects with nothing to show.
  com::ptr<IAudioFileControl> AF;
  com::ptr<IAudioInformation> AI;

  void FormCreate();
  void FormShow(ui::TComponent* Sender);
  void FormClose(ui::TComponent* Sender, ui::TCloseAction& Action);
  void STVClick(ui::TComponent* Sender);
  void STVChange(ui::TComponent* Sender, ui::TTreeNode* Node);
  void STVChanging(ui::TComponent* Sender, ui::TTreeNode* Node, bool& AllowChange);
  void lvPlayListColumnClick(ui::TComponent* Sender, ui::TListColumn* Column);
  void lvPlayListCompare(ui::TComponent* Sender, ui::TListItem* Item1, ui::TListItem* Item2, int Data,
                         int& Compare);
  void btnPlayClick(ui::TComponent* Sender);
  void bPauseClick(ui::TComponent* Sender);
  void bStopClick(ui::TComponent* Sender);
  void bOutputPathClick(ui::TComponent* Sender);
  void bRipperClick(ui::TComponent* Sender);
  void ToolButton1Click(ui::TComponent* Sender);
  void ToolButton2Click(ui::TComponent* Sender);
  void btnHelpClick(ui::TComponent* Sender);
  void btnHomeClick(ui::TComponent* Sender);
  void btnAboutClick(ui::TComponent* Sender);
  void tbPlaybackProgressMouseUp(ui::TComponent* Sender, ui::TMouseButton Button, ui::TShiftState Shift, int X,
                                 int Y);
  void tbPlaybackVolumeChange(ui::TComponent* Sender);
  void cboxMuteClick(ui::TComponent* Sender);
  void cboxEQClick(ui::TComponent* Sender);
  void sbtnMode1Click(ui::TComponent* Sender);
  void sbtnFlatClick(ui::TComponent* Sender);
  void DisplayTypeClick(int type);
  void AEValueChange(long Band);
  void APRequestOnLoadBlock();
  void APTimer(long CurrentSamples);
  void APEndPlay();

  // What the window shows and plays, for those who watch it.
  const std::string& CurrentFolder() const { return currentFolder_; }
  int PlayingRow() const { return playingRow_; }
  bool Paused() const { return paused_; }
  bool Scanning() const { return scanning_; }
  std::int64_t BasePosition() const { return basePosition_; }

 private:
  void WndProc(ui::TMessage& Message) override;
  void BuildLayout();
  void ConnectControls();
  // Points the tree at the folder: chosen, in view from its left, the branch left closed.
  void ShowFolderInTree(const std::string& folder);
  void ScanFolder();
  bool ScanStopped() const;
  void AddRow(const PlayListEntry& entry);
  void SortPlayList();
  void ChooseOutputSource();
  void PlayCurrentFile(const std::string& path);
  // Play after a seek or a resume; false (and stopped) when the output did not start.
  bool StartPlayer();
  // The file to the frame, the base following; false (and stopped) when the file refuses.
  bool SeekTo(std::int64_t frame);
  void StopPlayback();
  void FeedPlayer();
  void SetRowStatus(int row, const std::string& status);
  // The bands to the equalizer control and the player; to the player alone.
  void SetEqualizer(const EqualizerBands& bands);
  void ApplyEqualizer(const EqualizerBands& bands);

  std::string currentFolder_;
  int playingRow_ = -1;
  bool paused_ = false;
  std::int64_t fileSamples_ = 0;  // of the playing file, as the file control counts them
  std::int64_t basePosition_ = 0;
  long blockSize_ = 0;
  int blocksPerRequest_ = 1;
  int sortColumn_ = 0;
  bool scanning_ = false;
  bool rescanRequested_ = false;
  bool controlsLive_ = false;
  // From the window's closing until it is shown again: a scan running then stops.
  bool closed_ = false;
  // Cleared when the window goes, so that a scan pumping messages sees it.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  com::ptr<IAudioPlayer> player_;
  com::ptr<IZEVEqualizer> equalizer_;
  com::ptr<IZEVAudioDisplay> display_;
};

}  // namespace app
