#include "Player.h"

#include <algorithm>
#include <chrono>

#include "Application.h"
#include "FolderListing.h"
#include "KIVButton.h"
#include "KIVTrackBar.h"
#include "PlaybackPosition.h"
#include "TextRoutines.h"
#include "WindowActions.h"
#include "com/Bstr.h"
#include "com/SafeArray.h"
#include "com/Variant.h"

#include "ZEVAudioDisplay.h"

namespace app {

namespace {

constexpr const char* kPlayingPleaseStop = "Playing... Please Stop!";
constexpr const char* kOpenFailed = "error";
constexpr long kSeekFrames = 3;  // the file control's unit of sample frames
constexpr long kBlockMilliseconds = 200;
constexpr std::chrono::milliseconds kRowsPaintedEvery{100};
// Posted by the show to list the folder once the window is visible.
constexpr UINT kListFolderMessage = WM_APP + 1;

// The tag control's duration of a file in milliseconds; 0 when it cannot tell.
std::int64_t DurationOf(IAudioInformation* information, const std::string& path) {
  if (!information) return 0;
  VARIANT_BOOL opened = VARIANT_FALSE;
  long duration = 0;
  if (FAILED(information->OpenFile(com::bstr::from_ansi(path).get(), &opened)) || !opened) return 0;
  if (FAILED(information->get_Duration(&duration))) return 0;
  return duration;
}

// The display's look: the fire columns on black with the scale in the window's blue.
void SetDisplayLook(IZEVAudioDisplay& display) {
  display.put_BorderStyle(bLowered);
  display.put_BackColor(RGB(0, 0, 0));
  display.put_ScaleColor(RGB(96, 128, 192));
  display.put_InscriptionsColor(RGB(160, 180, 220));
  display.put_TypeDisplay(tdFFTFire);
}

}  // namespace

TfrmPlayer::TfrmPlayer(ui::TComponent* AOwner, AppContext& context)
    : TAppForm(AOwner, context, "frmPlayer", "Ombrel - Player", kPlayerClientWidth, 580, kiv::TkivUIStyle::DeepBlue) {
  context.frmPlayer = this;
  BuildLayout();
  FormCreate();
}

TfrmPlayer::~TfrmPlayer() {
  *alive_ = false;
  if (player_) player_->Stop();
  if (AF) AF->CloseFile();
}

void TfrmPlayer::FormCreate() {
  playingRow_ = -1;
  controlsLive_ = false;
  scanning_ = rescanRequested_ = false;
  // Without these two objects nothing plays; the window still opens and says so at "Play".
  CoCreateInstance(CLSID_AudioFileControl, nullptr, CLSCTX_INPROC_SERVER, IID_IAudioFileControl, AF.put_void());
  CoCreateInstance(CLSID_AudioInformation, nullptr, CLSCTX_INPROC_SERVER, IID_IAudioInformation, AI.put_void());
  if (AF) AF->put_WmaFormatEnabled(VARIANT_TRUE);
  lvPlayList->SetDoubleBuffered(true);
}

void TfrmPlayer::FormShow(ui::TComponent*) {
  ConnectControls();
  closed_ = false;
  playingRow_ = -1;
  ShowFolderInTree(context_.Shared.OutputFolder());
  // The tree holds the focus, so its chosen folder shows highlighted, not greyed.
  SetActiveControl(STV);
  tbPlaybackProgress->SetPosition(0);
  tbPlaybackProgress->SetEnabled(false);
  controlsLive_ = true;
  ChooseOutputSource();
  // The show has not made the window visible yet: a large folder listed now would keep it
  // hidden until the end. It is listed once the window is on the screen.
  PostMessageA(Handle(), kListFolderMessage, 0, 0);
}

void TfrmPlayer::WndProc(ui::TMessage& Message) {
  if (Message.Msg == kListFolderMessage) {
    if (Visible() && !closed_) ScanFolder();
    return;
  }
  TAppForm::WndProc(Message);
}

void TfrmPlayer::FormClose(ui::TComponent*, ui::TCloseAction&) {
  closed_ = true;
  StopPlayback();
}

void TfrmPlayer::ConnectControls() {
  // The hosted controls are made with their windows, the first time the window shows.
  if (!player_) player_ = AP->Query<IAudioPlayer>();
  if (!equalizer_) equalizer_ = AE->Query<IZEVEqualizer>();
  if (!display_) {
    display_ = AD->Query<IZEVAudioDisplay>();
    if (display_) SetDisplayLook(*display_.get());
  }
}

void TfrmPlayer::ChooseOutputSource() {
  if (!player_) return;
  long count = 0;
  if (FAILED(player_->get_SourceCount(&count))) return;
  const int chosen = app::ChooseOutputSource(count, [this](int index) {
    VARIANT_BOOL usable = VARIANT_FALSE;
    return SUCCEEDED(player_->put_srcOutput(index)) && SUCCEEDED(player_->get_SourceUsable(&usable)) && usable;
  });
  if (chosen < 0) return;
  player_->put_srcOutput(chosen);
  long volume = 0;
  if (SUCCEEDED(player_->get_srcVolume(&volume))) tbPlaybackVolume->SetPosition(volume);
  player_->put_srcMute(VARIANT_FALSE);
  cboxMute->SetChecked(false);
  player_->put_EqualizerEnabled(cboxEQ->Checked() ? VARIANT_TRUE : VARIANT_FALSE);
}

// --- The folder and its play list ---

void TfrmPlayer::ShowFolderInTree(const std::string& folder) {
  ui::TTreeNode* left = STV->Selected();
  if (!STV->SetPath(folder)) return;
  // The branch left behind closes up to where it meets the folder's own, as a tree that opens
  // one branch at a time does, so the open folders are those on the way to the one listed.
  ui::TTreeNode* chosen = STV->Selected();
  const auto onTheWay = [chosen](const ui::TTreeNode* node) {
    for (const ui::TTreeNode* up = chosen; up; up = up->Parent())
      if (up == node) return true;
    return false;
  };
  for (ui::TTreeNode* node = left; node && !onTheWay(node); node = node->Parent())
    if (node->Expanded()) node->Collapse(false);
  // Bringing a deep folder into view scrolls the tree sideways: the names start at its left.
  SendMessageA(STV->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
}

void TfrmPlayer::STVClick(ui::TComponent* Sender) { STVChange(Sender, STV->Selected()); }

void TfrmPlayer::STVChange(ui::TComponent*, ui::TTreeNode*) {
  if (scanning_) {
    rescanRequested_ = true;
  } else if (playingRow_ < 0) {
    ScanFolder();
  } else if (WithOneTrailingBackslash(STV->Path()) != currentFolder_) {
    ui::Application().MessageBox(kPlayingPleaseStop, Caption());
  }
}

void TfrmPlayer::STVChanging(ui::TComponent*, ui::TTreeNode*, bool& AllowChange) {
  AllowChange = playingRow_ < 0;
  if (!AllowChange) ui::Application().MessageBox(kPlayingPleaseStop, Caption());
}

bool TfrmPlayer::ScanStopped() const {
  return rescanRequested_ || closed_ || ui::Application().Terminated() || IsDestroying();
}

void TfrmPlayer::ScanFolder() {
  // A click during the scan asks for another one, which this loop makes: never a scan inside
  // a scan, whose pumping would run under the outer one's feet.
  if (scanning_) {
    rescanRequested_ = true;
    return;
  }
  const std::shared_ptr<bool> alive = alive_;
  scanning_ = true;
  do {
    rescanRequested_ = false;
    sortColumn_ = 0;
    const std::string path = WithOneTrailingBackslash(STV->Path());
    if (path == currentFolder_) break;
    currentFolder_ = path;
    lvPlayList->Items().Clear();
    bool complete = true;
    FolderListing listing(path);
    FolderFile file;
    // The list view redraws itself at every row inserted while it may draw (12 ms a row under
    // Wine: 1.2 s for 100 files), so the rows go in with its drawing held, let go for a paint
    // every so often so that a long listing shows its rows coming.
    lvPlayList->Items().BeginUpdate();
    auto held = std::chrono::steady_clock::now();
    while (listing.Next(file)) {
      if (!file.Name.empty()) {
        if (auto entry = MakePlayListEntry(file.Name, file.Size, DurationOf(AI.get(), path + file.Name)))
          AddRow(*entry);
      }
      const bool paint = std::chrono::steady_clock::now() - held >= kRowsPaintedEvery;
      if (paint) lvPlayList->Items().EndUpdate();
      ui::Application().ProcessMessages();
      if (!*alive) return;  // the window went while its messages ran: nothing here is left to touch
      if (paint) {
        lvPlayList->Items().BeginUpdate();
        held = std::chrono::steady_clock::now();
      }
      if (ScanStopped()) {
        complete = false;
        break;
      }
    }
    lvPlayList->Items().EndUpdate();
    if (complete) {
      SortPlayList();
    } else {
      // A folder listed in part is listed again when it is chosen again.
      currentFolder_.clear();
    }
  } while (rescanRequested_ && !closed_ && !ui::Application().Terminated());
  scanning_ = false;
  rescanRequested_ = false;
}

void TfrmPlayer::AddRow(const PlayListEntry& entry) {
  ui::TListItem* item = lvPlayList->Items().Add();
  item->SetCaption(entry.FileName);
  item->SubItems().Add(entry.Format);
  item->SubItems().Add(entry.Duration);
  item->SubItems().Add(entry.FileSize);
  item->SubItems().Add(entry.Status);
}

void TfrmPlayer::SortPlayList() {
  // The playing row moves with its item.
  ui::TListItem* playing = playingRow_ >= 0 && playingRow_ < lvPlayList->Items().Count()
                               ? lvPlayList->Items()[playingRow_]
                               : nullptr;
  lvPlayList->AlphaSort();
  if (playing) playingRow_ = playing->Index();
}

void TfrmPlayer::lvPlayListColumnClick(ui::TComponent*, ui::TListColumn* Column) {
  sortColumn_ = Column->Index();
  SortPlayList();
}

void TfrmPlayer::lvPlayListCompare(ui::TComponent*, ui::TListItem* Item1, ui::TListItem* Item2, int, int& Compare) {
  const auto text = [this](ui::TListItem* item) -> std::string {
    if (sortColumn_ == 0) return item->Caption();
    const int sub = sortColumn_ - 1;
    return sub < item->SubItems().Count() ? item->SubItems()[sub] : std::string();
  };
  Compare = ComparePlayListTexts(sortColumn_, text(Item1), text(Item2));
}

void TfrmPlayer::SetRowStatus(int row, const std::string& status) {
  if (row < 0 || row >= lvPlayList->Items().Count()) return;
  ui::TStringList& sub = lvPlayList->Items()[row]->SubItems();
  if (sub.Count() > plcStatus - 1) sub.SetString(plcStatus - 1, status);
}

// --- Playing ---

void TfrmPlayer::btnPlayClick(ui::TComponent*) {
  if (lvPlayList->SelCount() != 1) return;
  SetRowStatus(playingRow_, "");
  playingRow_ = lvPlayList->Selected()->Index();
  PlayCurrentFile(currentFolder_ + lvPlayList->Selected()->Caption());
}

void TfrmPlayer::PlayCurrentFile(const std::string& path) {
  tbPlaybackProgress->SetPosition(0);
  tbPlaybackProgress->SetEnabled(true);
  // A pause left from the last file would make the next "Pause" a resume.
  paused_ = false;
  if (player_) player_->Stop();
  long openError = 1;
  if (AF) {
    AF->CloseFile();
    AF->put_WmaFormatEnabled(VARIANT_TRUE);
    if (FAILED(AF->OpenFile(com::bstr::from_ansi(path).get(), 0, 1)) || FAILED(AF->get_OpenError(&openError)))
      openError = 1;
  }
  if (openError != 0 || !player_) {
    // Nothing of this file can play: stopped, with no totals or format of another file.
    ui::Application().MessageBox(kOpenFailed, Caption());
    return StopPlayback();
  }
  // The file control's count is exact for every kind, WMA included, and it is the one the tag
  // control would give: asking the tag control as well would count the file a second time.
  long fileTotal = 0;
  AF->get_TotalSamples(&fileTotal);
  fileSamples_ = fileTotal;
  basePosition_ = 0;
  if (fileSamples_ <= 0) return StopPlayback();
  long rate = 0, channels = 0;
  AF->get_FormatA(&rate);
  AF->get_FormatB(&channels);
  player_->SetFormat(channels, rate);
  blockSize_ = 0;
  player_->BlockSize(kBlockMilliseconds, &blockSize_);
  blocksPerRequest_ = AudioFormatOfName(path) == "OGG" ? 5 : 1;
  if (SeekTo(SeekFrame(tbPlaybackProgress->Position(), fileSamples_)) && StartPlayer())
    SetRowStatus(playingRow_, "Playing");
}

bool TfrmPlayer::SeekTo(std::int64_t frame) {
  long reached = 0;
  if (FAILED(AF->Seek(static_cast<long>(std::min<std::int64_t>(frame, INT32_MAX)), kSeekFrames, &reached))) {
    // Playing on from wherever the file stood would put the slider and the sound apart.
    ui::Application().MessageBox(kOpenFailed, Caption());
    StopPlayback();
    return false;
  }
  basePosition_ = reached;
  return true;
}

bool TfrmPlayer::StartPlayer() {
  PlayerStatusConstants status = PST_OUTPUT_FAILED;
  if (FAILED(player_->Play()) || FAILED(player_->get_PlayerStatus(&status)) || status != PST_OK) {
    // The output did not start: the row does not claim to play, and the user hears why not.
    ui::Application().MessageBox(kOpenFailed, Caption());
    StopPlayback();
    return false;
  }
  return true;
}

void TfrmPlayer::FeedPlayer() {
  if (playingRow_ < 0 || paused_ || !AF || !player_) return;
  com::safearray samples;
  if (FAILED(AF->ReadSamples(blocksPerRequest_ * blockSize_, samples.put()))) samples.reset();
  // An empty block (the end of the file, or a read that failed) tells the player no more comes.
  if (!samples) samples = com::safearray(SafeArrayCreateVector(VT_I2, 0, 0));
  com::variant block(std::move(samples));
  player_->QueueBlock(*block.get());
}

void TfrmPlayer::APRequestOnLoadBlock() { FeedPlayer(); }

void TfrmPlayer::APTimer(long CurrentSamples) {
  // A device's timer can still tick after the end or a pause cleared the display: stale levels
  // would paint it again.
  if (playingRow_ < 0 || paused_) return;
  if (display_ && player_) {
    long size = 0;
    display_->get_FFTWindowsSize(&size);
    com::safearray samples;
    if (SUCCEEDED(player_->GetDisplaySamples(size, samples.put())) && samples) {
      SAFEARRAY* raw = samples.get();
      display_->SendArray(&raw);
    }
  }
  // The user holding the slider decides where it is until the release seeks there.
  if (tbPlaybackProgress->Dragging() || tbPlaybackProgress->Paging()) return;
  tbPlaybackProgress->SetPosition(ProgressPosition(CurrentSamples, basePosition_, fileSamples_));
}

void TfrmPlayer::tbPlaybackProgressMouseUp(ui::TComponent*, ui::TMouseButton, ui::TShiftState, int, int) {
  if (playingRow_ < 0 || !player_ || !AF) return;
  player_->Stop();
  paused_ = false;
  if (SeekTo(SeekFrame(tbPlaybackProgress->Position(), fileSamples_)) && StartPlayer()) {
    SetRowStatus(playingRow_, "Playing");
    FeedPlayer();
  }
}

void TfrmPlayer::bPauseClick(ui::TComponent*) {
  if (playingRow_ < 0 || !player_ || !AF) return;
  if (!paused_) {
    paused_ = true;
    long played = 0;
    player_->get_PlayedSamples(&played);
    basePosition_ += played;
    player_->Stop();
    SetRowStatus(playingRow_, "Paused");
  } else {
    paused_ = false;
    // The base stays where the pause left it: the player counts again from 0.
    const std::int64_t base = basePosition_;
    if (SeekTo(base + 1) && StartPlayer()) SetRowStatus(playingRow_, "Playing");
    basePosition_ = base;
  }
}

void TfrmPlayer::bStopClick(ui::TComponent*) { StopPlayback(); }

void TfrmPlayer::APEndPlay() { StopPlayback(); }

void TfrmPlayer::StopPlayback() {
  if (player_) player_->Stop();
  if (AF) AF->CloseFile();
  paused_ = false;
  if (display_) display_->SendArray(nullptr);
  tbPlaybackProgress->SetEnabled(false);
  tbPlaybackProgress->SetPosition(0);
  if (playingRow_ >= 0) {
    SetRowStatus(playingRow_, "");
    playingRow_ = -1;
  }
  fileSamples_ = basePosition_ = 0;
}

// --- Volume, switches, equalizer, display ---

void TfrmPlayer::tbPlaybackVolumeChange(ui::TComponent*) {
  if (controlsLive_ && player_) player_->put_srcVolume(tbPlaybackVolume->Position());
}

void TfrmPlayer::cboxMuteClick(ui::TComponent*) {
  if (controlsLive_ && player_) player_->put_srcMute(cboxMute->Checked() ? VARIANT_TRUE : VARIANT_FALSE);
}

void TfrmPlayer::cboxEQClick(ui::TComponent*) {
  if (player_) player_->put_EqualizerEnabled(cboxEQ->Checked() ? VARIANT_TRUE : VARIANT_FALSE);
}

void TfrmPlayer::AEValueChange(long) {
  if (!equalizer_) return;
  EqualizerBands bands{};
  for (int band = 0; band < 12; ++band) {
    com::variant value;
    DISPPARAMS none{};
    if (SUCCEEDED(equalizer_->Invoke(band + 1, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, value.put(), nullptr,
                                     nullptr)) &&
        value.type() == VT_R4)
      bands[band] = value.get()->fltVal;
  }
  ApplyEqualizer(bands);
}

void TfrmPlayer::ApplyEqualizer(const EqualizerBands& bands) {
  if (!player_) return;
  com::safearray array(SafeArrayCreateVector(VT_R4, 0, 12));
  if (!array) return;
  {
    com::safearray_data<float> data(array.get());
    if (!data) return;
    std::copy(bands.begin(), bands.end(), data.begin());
  }
  com::variant argument(std::move(array));
  player_->SetEqualizerBands(*argument.get());
}

void TfrmPlayer::SetEqualizer(const EqualizerBands& bands) {
  if (equalizer_) {
    // Puts of the bands fire no OnValueChange: the player is told below.
    for (int band = 0; band < 12; ++band) {
      com::variant value(bands[band]);
      DISPID put = DISPID_PROPERTYPUT;
      DISPPARAMS params{value.get(), &put, 1, 1};
      equalizer_->Invoke(band + 1, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
    }
  }
  ApplyEqualizer(bands);
}

void TfrmPlayer::sbtnFlatClick(ui::TComponent*) { SetEqualizer(kFlatEqualizer); }

void TfrmPlayer::sbtnMode1Click(ui::TComponent* Sender) {
  const auto* button = dynamic_cast<kiv::TkivCustomButton*>(Sender);
  const int preset = button ? EqualizerPresetOfCaption(button->Caption().c_str()) : 0;
  if (preset > 0) SetEqualizer(EqualizerPreset(preset));
}

void TfrmPlayer::DisplayTypeClick(int type) {
  if (display_) display_->put_TypeDisplay(static_cast<TypeDisplay>(type));
}

// --- The other windows ---

void TfrmPlayer::bOutputPathClick(ui::TComponent*) { OpenOutputFolder(context_); }

void TfrmPlayer::bRipperClick(ui::TComponent*) {
  if (ui::TForm* main = ui::Application().MainForm(); main && main != this) main->Show();
}

void TfrmPlayer::btnHelpClick(ui::TComponent*) { OpenHelp(context_); }
void TfrmPlayer::btnHomeClick(ui::TComponent*) { OpenHomePage(); }
void TfrmPlayer::btnAboutClick(ui::TComponent*) { ShowAbout(context_); }
void TfrmPlayer::ToolButton1Click(ui::TComponent*) { ShowAdvert(context_, 1); }
void TfrmPlayer::ToolButton2Click(ui::TComponent*) { ShowAdvert(context_, 2); }

}  // namespace app
