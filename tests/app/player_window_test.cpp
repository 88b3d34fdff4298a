// The player window through its real components: tracks ripped by the ripper on the simulated
// drive, the registered player, equalizer, display, file and tag controls, posted input on a
// test display, and the silent output that keeps a device's clock. What the user meets when
// things go wrong is checked each time: a file that does not open stops after the message, a
// pause does not outlive a stop or a new playing, a scan cannot outlive its window or run
// inside another, and an empty file plays nothing.
#include "Player.h"

#include "AppContext.h"
#include "FolderListing.h"
#include "Application.h"
#include "KIVButton.h"
#include "KIVTrackBar.h"
#include "RipTest.h"
#include "ServerDll.h"
#include "com/Variant.h"
#include "TextRoutines.h"
#include "WindowTestKit.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <mmsystem.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using app::TfrmPlayer;

// A WAV file of a 440 Hz tone, 16-bit stereo at 44100 Hz.
void WriteWav(const std::string& path, std::uint32_t frames) {
  std::vector<std::int16_t> samples(frames * 2);
  for (std::uint32_t i = 0; i < frames; ++i)
    samples[2 * i] = samples[2 * i + 1] = static_cast<std::int16_t>(8000 * std::sin(i * 2 * 3.14159265 * 440 / 44100));
  const std::uint32_t data = frames * 4;
  std::ofstream out(path, std::ios::binary);
  const auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  const auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out.write("RIFF", 4), u32(36 + data), out.write("WAVEfmt ", 8), u32(16), u16(1), u16(2), u32(44100),
      u32(44100 * 4), u16(4), u16(16), out.write("data", 4), u32(data);
  out.write(reinterpret_cast<const char*>(samples.data()), data);
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::uint64_t SizeOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

// Runs an action at the first message pump at which ready() holds, as input the user gave
// meanwhile arrives. A try that finds it not ready comes again on a timer, so that the pump
// it came through can end.
class AtNextPump {
 public:
  static constexpr UINT kRun = WM_APP + 0x2a;
  explicit AtNextPump(std::function<void()> action, std::function<bool()> ready = [] { return true; })
      : action_(std::move(action)) {
    ui::Application().OnMessage = [this, ready](MSG& msg, bool& handled) {
      const bool ours = !msg.hwnd && (msg.message == kRun || (msg.message == WM_TIMER && msg.wParam == timer_));
      if (!ours || !action_) return;
      handled = true;
      if (!ready()) {
        if (!timer_) timer_ = SetTimer(nullptr, 0, 1, nullptr);
        return;
      }
      std::exchange(action_, nullptr)();
    };
    PostThreadMessageA(GetCurrentThreadId(), kRun, 0, 0);
  }
  ~AtNextPump() {
    if (timer_) KillTimer(nullptr, timer_);
    ui::Application().OnMessage = nullptr;
  }
  bool Ran() const { return !action_; }

 private:
  std::function<void()> action_;
  UINT_PTR timer_ = 0;
};

class PlayerWindow : public RipTest {
 protected:
  static void SetUpTestSuite() {
    for (const wchar_t* dll : {L"ZEVAudioPlayer.dll", L"ZEVAudioDesign.dll", L"ZEVAudioDisplay.dll",
                               L"ZEVAudioFile.dll", L"ZEVAudioInformation.dll"})
      ASSERT_EQ(ServerDll(dll).registerServer(), S_OK);
  }

  void SetUp() override {
    RipTest::SetUp();
    ui::Application().MessageBoxSink = [this](const std::string& text, const std::string&, UINT) {
      messages_.push_back(text);
      return IDOK;
    };
  }

  void TearDown() override {
    player_.reset();
    ui::Application().MessageBoxSink = nullptr;
    RipTest::TearDown();
  }

  // An empty folder in the scratch folder (whose name an earlier process may have had), with a
  // trailing backslash.
  static std::string Folder(const std::string& name) {
    const std::string folder = ScratchFolder() + name + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    app::FolderListing listing(folder);
    for (app::FolderFile file; listing.Next(file);)
      if (!file.Name.empty()) DeleteFileA((folder + file.Name).c_str());
    return folder;
  }

  // Track 2 of the disc (400 frames of CD audio, 5.3 s) ripped into folder as
  // name.wav/.mp3/.ogg/.wma.
  void RipInto(const std::string& folder, const std::string& name) {
    OpenDisc();
    Choose(PLAY);
    const std::string relative = folder.substr(ScratchFolder().size()) + name;
    ASSERT_TRUE(Rip(&IAudioCDRipper::RipTrackToWav, relative));
    ASSERT_TRUE(Rip(&IAudioCDRipper::RipTrackToMP3, relative));
    ASSERT_TRUE(Rip(&IAudioCDRipper::RipTrackToOGG, relative));
    ASSERT_TRUE(Rip(&IAudioCDRipper::RipTrackToWMA, relative));
  }

  TfrmPlayer& Open(const std::string& folder) {
    context_.Shared.SetOutputFolder(folder);
    if (!player_) player_ = std::make_unique<TfrmPlayer>(nullptr, context_);
    player_->Show();
    testkit::PumpFor(50);
    return *player_;
  }

  std::vector<std::string> Column(int column) {
    std::vector<std::string> texts;
    for (int i = 0; i < player_->lvPlayList->Items().Count(); ++i) {
      ui::TListItem* item = player_->lvPlayList->Items()[i];
      texts.push_back(column == 0 ? item->Caption() : item->SubItems()[column - 1]);
    }
    return texts;
  }

  int RowOf(const std::string& name) {
    const std::vector<std::string> names = Column(0);
    return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
  }

  // The row selected by a click on it, then "Play" clicked.
  void Play(const std::string& name) {
    const int row = RowOf(name);
    ASSERT_LT(row, player_->lvPlayList->Items().Count()) << name;
    RECT rect{LVIR_LABEL, 0, 0, 0};
    ASSERT_TRUE(SendMessageA(player_->lvPlayList->Handle(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect)));
    testkit::Click(*player_->lvPlayList, rect.left + 8, (rect.top + rect.bottom) / 2);
    ASSERT_EQ(player_->lvPlayList->SelCount(), 1);
    testkit::Click(*player_->btnPlay);
  }

  std::string Status(int row) { return player_->lvPlayList->Items()[row]->SubItems()[3]; }

  // The tree's node of a sub-folder, its parent opened to show it.
  static ui::TTreeNode* ChildNode(ui::TTreeNode* parent, const std::string& name) {
    parent->Expand(false);
    for (int i = 0; i < parent->Count(); ++i)
      if (parent->Item(i)->Text() == name) return parent->Item(i);
    ADD_FAILURE() << name << " is not under " << parent->Text();
    return parent;
  }
  // Where the node's name is in the tree; empty when it is out of view.
  RECT NameRect(ui::TTreeNode* node) {
    RECT rect{};
    const HTREEITEM item = node->ItemId();
    std::memcpy(&rect, &item, sizeof item);  // the message takes the item in the rectangle
    if (!SendMessageA(player_->STV->Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect))) return {};
    return rect;
  }
  // A click on the name of the node, which is in view. Both halves are posted at once: the
  // tree follows a pressed button in a loop of its own until the release, which must be queued.
  void ClickNode(ui::TTreeNode* node) {
    const RECT rect = NameRect(node);
    ASSERT_FALSE(IsRectEmpty(&rect)) << node->Text() << " is out of view";
    const HWND tree = player_->STV->Handle();
    const LPARAM at = ui::MakeMouseLParam(rect.left + 4, (rect.top + rect.bottom) / 2);
    PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(tree, WM_LBUTTONUP, 0, at);
    testkit::PumpFor(50);
  }

  // The player's twelve band gains as it stores them: the last 48 bytes of its control data.
  std::vector<float> PlayerBands() {
    const std::vector<std::uint8_t> data = player_->AP->ControlData();
    std::vector<float> bands(12);
    if (data.size() >= 48) std::memcpy(bands.data(), data.data() + data.size() - 48, 48);
    return bands;
  }

  IAudioPlayer& AudioPlayer() { return *player_->AP->Query<IAudioPlayer>().get(); }

  app::AppContext context_;
  std::unique_ptr<TfrmPlayer> player_;
  std::vector<std::string> messages_;
};

TEST_F(PlayerWindow, ListsTheFoldersAudioFilesAndSortsByEachColumn) {
  const std::string folder = Folder("list");
  RipInto(folder, "track");
  WriteWav(folder + "short.wav", 22050);
  WriteWav(folder + "long.wav", 44100 * 7);
  WriteWav(folder + "tiny.wav", 10);
  WriteText(folder + "voice.wma", std::string(3000, 'w'));  // no headers: its duration cannot be read
  CopyFileA((folder + "track.mp3").c_str(), (folder + "c.mp3.txt").c_str(), FALSE);
  WriteText(folder + "notes.txt", "not audio");
  Folder("list\\sub.ogg");
  TfrmPlayer& player = Open(folder);
  EXPECT_EQ(player.CurrentFolder(), folder);
  using V = std::vector<std::string>;
  ASSERT_EQ(Column(0), (V{"c.mp3.txt", "long.wav", "short.wav", "tiny.wav", "track.mp3", "track.ogg", "track.wav",
                          "track.wma", "voice.wma"}));
  EXPECT_EQ(Column(1), (V{"MP3", "WAV", "WAV", "WAV", "MP3", "OGG", "WAV", "WMA", "WMA"}));
  // The tag control reads a name ending in ".txt" as no audio.
  EXPECT_EQ(Column(2), (V{"00:00", "00:07", "00:00", "00:00", "00:05", "00:05", "00:05", "00:05", "00:00"}));
  V sizes;
  for (const std::string& name : Column(0)) sizes.push_back(app::FormatFileSize(SizeOf(folder + name)));
  EXPECT_EQ(Column(3), sizes);
  EXPECT_EQ(Column(4), V(9, " "));

  // Header clicks sort by that column; sizes by unit first.
  const int formatX = 163 + 20, sizeX = 163 + 48 + 90 + 30;
  testkit::Click(*player.lvPlayList, formatX, 8);
  EXPECT_EQ(Column(1), (V{"MP3", "MP3", "OGG", "WAV", "WAV", "WAV", "WAV", "WMA", "WMA"}));
  testkit::Click(*player.lvPlayList, sizeX, 8);
  const V bySize = Column(3);
  for (std::size_t i = 1; i < bySize.size(); ++i)
    EXPECT_LE(app::SizeSortKey(bySize[i - 1]), app::SizeSortKey(bySize[i])) << bySize[i - 1] << " / " << bySize[i];
  EXPECT_EQ(Column(0).front(), "tiny.wav");  // the only file of bytes
  EXPECT_EQ(Column(0).back(), "long.wav");   // the only file of megabytes
  // The level display, never narrower than 250 pixels, fits its place whole.
  RECT display{};
  GetWindowRect(GetWindow(player.AD->Handle(), GW_CHILD), &display);
  EXPECT_EQ(display.right - display.left, player.AD->ClientWidth());
  // The rows went in with the list's drawing held: the list draws them once the listing is over.
  const std::unique_ptr<ui::TBitmap> picture = testkit::CaptureAndSave(player, "player_window_list");
  RECT name{LVIR_LABEL, 0, 0, 0};
  ASSERT_TRUE(SendMessageA(player.lvPlayList->Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&name)));
  MapWindowPoints(player.lvPlayList->Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&name), 2);
  RECT window{};
  GetWindowRect(player.Handle(), &window);
  std::set<ui::TColor> colours;
  for (int y = name.top; y < name.bottom; ++y)
    for (int x = name.left; x < name.right; ++x) colours.insert(picture->Pixel(x - window.left, y - window.top));
  EXPECT_GT(colours.size(), 2u) << "the first row's name is not drawn";
}

TEST_F(PlayerWindow, PlaysARippedTrackToTheEndFeedingTheDisplayAndSeeksByDragging) {
  const std::string folder = Folder("ripped");
  RipInto(folder, "track");
  TfrmPlayer& player = Open(folder);
  // Run again with a wave-out device: the player then plays through it, not the silent source.
  if (std::getenv("TALVO_EXPECT_WAVEOUT")) {
    ASSERT_GE(waveOutGetNumDevs(), 1u);
  }
  kiv::TkivTrackBar& progress = *player.tbPlaybackProgress;
  EXPECT_FALSE(progress.Enabled());

  const auto idleDisplay = testkit::Capture(*player.AD);
  Play("track.wav");
  const int row = RowOf("track.wav");
  ASSERT_EQ(player.PlayingRow(), row);
  EXPECT_EQ(Status(row), "Playing");
  EXPECT_TRUE(progress.Enabled());
  ASSERT_TRUE(testkit::WaitUntil([&] { return progress.Position() > 150; }, 3000));
  // A device's first levels can reach the display later than the position moves.
  ASSERT_TRUE(testkit::WaitUntil(
      [&] { return !testkit::PicturesMatch(*testkit::Capture(*player.AD), *idleDisplay); }, 3000));
  testkit::CaptureAndSave(player, "player_window_playing");

  // Held at three quarters while the timer runs, the slider stays; the release seeks there.
  const POINT thumb{progress.Slider().Left() + progress.Slider().Width() / 2, progress.Height() / 2};
  const int target = progress.Width() * 3 / 4;
  testkit::MouseDown(progress.Slider(), progress.Slider().Width() / 2, progress.Height() / 2);
  testkit::MouseMove(progress, thumb.x + 20, thumb.y);
  testkit::MouseMove(progress, target, thumb.y);
  testkit::PumpFor(300);
  const int held = progress.Position();
  EXPECT_NEAR(held, 750, 40);
  testkit::MouseUp(progress, target, thumb.y);
  EXPECT_NEAR(player.BasePosition(), 400 * 588 * held / 1000, 588);
  EXPECT_EQ(player.PlayingRow(), row);

  // The rest plays to the end, the slider reaching it; the end stops everything.
  int highest = 0;
  ASSERT_TRUE(testkit::WaitUntil([&] {
    highest = std::max(highest, progress.Position());
    return player.PlayingRow() < 0;
  }, 5000));
  EXPECT_GE(highest, 950);
  EXPECT_FALSE(progress.Enabled());
  EXPECT_EQ(progress.Position(), 0);
  EXPECT_EQ(Status(row), "");
  EXPECT_TRUE(testkit::PicturesMatch(*testkit::Capture(*player.AD), *idleDisplay)) << "the display is cleared";
  EXPECT_TRUE(messages_.empty());

  // MP3, Ogg Vorbis (read five blocks a request) and WMA from near their end, the display fed.
  for (const char* name : {"track.mp3", "track.ogg", "track.wma"}) {
    Play(name);
    ASSERT_EQ(player.PlayingRow(), RowOf(name)) << name;
    EXPECT_TRUE(testkit::WaitUntil(
        [&] { return !testkit::PicturesMatch(*testkit::Capture(*player.AD), *idleDisplay); }, 3000))
        << name;
    testkit::MouseDown(progress.Slider(), progress.Slider().Width() / 2, progress.Height() / 2);
    testkit::MouseMove(progress, progress.Width() * 9 / 10, progress.Height() / 2);
    testkit::MouseUp(progress, progress.Width() * 9 / 10, progress.Height() / 2);
    EXPECT_GT(player.BasePosition(), 400 * 588 * 85 / 100) << name;
    EXPECT_TRUE(testkit::WaitUntil([&] { return player.PlayingRow() < 0; }, 3000)) << name;
  }
  EXPECT_TRUE(messages_.empty());
}

TEST_F(PlayerWindow, AFileThatDoesNotOpenOrIsEmptyStopsInsteadOfPlayingOn) {
  const std::string folder = Folder("broken");
  WriteWav(folder + "good.wav", 44100 * 3);
  WriteWav(folder + "empty.wav", 0);
  WriteText(folder + "broken.mp3", std::string(5000, 'x'));
  WriteText(folder + "voice.wma", std::string(3000, 'w'));
  TfrmPlayer& player = Open(folder);
  for (const char* name : {"broken.mp3", "voice.wma", "empty.wav"}) {
    messages_.clear();
    Play("good.wav");
    ASSERT_EQ(player.PlayingRow(), RowOf("good.wav"));
    ASSERT_TRUE(testkit::WaitUntil([&] { return player.tbPlaybackProgress->Position() > 20; }, 3000));
    Play(name);
    // An empty file is not played and says nothing; the others say "error". Either way nothing
    // plays on with the last file's totals and format.
    EXPECT_EQ(messages_, std::string(name) == "empty.wav" ? std::vector<std::string>{}
                                                          : std::vector<std::string>{"error"})
        << name;
    EXPECT_EQ(player.PlayingRow(), -1) << name;
    EXPECT_FALSE(player.tbPlaybackProgress->Enabled()) << name;
    EXPECT_EQ(Status(RowOf("good.wav")), "") << name;
    long before = 0, after = 0;
    AudioPlayer().get_PlayedSamples(&before);
    testkit::PumpFor(200);
    AudioPlayer().get_PlayedSamples(&after);
    EXPECT_EQ(before, after) << name << ": the player is stopped";
    EXPECT_EQ(player.tbPlaybackProgress->Position(), 0) << name;
  }
}

TEST_F(PlayerWindow, PauseResumesAndIsClearedByStopAndByPlay) {
  const std::string folder = Folder("pause");
  WriteWav(folder + "a.wav", 44100 * 4);
  WriteWav(folder + "b.wav", 44100 * 4);
  TfrmPlayer& player = Open(folder);
  Play("a.wav");
  ASSERT_TRUE(testkit::WaitUntil([&] { return player.tbPlaybackProgress->Position() > 100; }, 3000));
  testkit::Click(*player.bPause);
  EXPECT_TRUE(player.Paused());
  EXPECT_EQ(Status(RowOf("a.wav")), "Paused");
  const std::int64_t base = player.BasePosition();
  EXPECT_GT(base, 44100 * 4 / 10);
  const int pausedAt = player.tbPlaybackProgress->Position();
  testkit::PumpFor(300);
  EXPECT_EQ(player.tbPlaybackProgress->Position(), pausedAt);
  testkit::Click(*player.bPause);
  EXPECT_FALSE(player.Paused());
  ASSERT_TRUE(testkit::WaitUntil([&] { return player.tbPlaybackProgress->Position() > pausedAt + 20; }, 3000));
  EXPECT_EQ(player.BasePosition(), base) << "the resume goes on from where the pause was";

  // Stop clears the pause: the next playing's "Pause" pauses.
  testkit::Click(*player.bPause);
  testkit::Click(*player.bStop);
  EXPECT_FALSE(player.Paused());
  EXPECT_EQ(player.PlayingRow(), -1);
  Play("b.wav");
  ASSERT_TRUE(testkit::WaitUntil([&] { return player.tbPlaybackProgress->Position() > 30; }, 3000));
  testkit::Click(*player.bPause);
  EXPECT_TRUE(player.Paused());
  // So does a new playing.
  Play("a.wav");
  EXPECT_FALSE(player.Paused());
  ASSERT_TRUE(testkit::WaitUntil([&] { return player.tbPlaybackProgress->Position() > 30; }, 3000));
  testkit::Click(*player.bPause);
  EXPECT_TRUE(player.Paused());
  testkit::Click(*player.bStop);
}

TEST_F(PlayerWindow, VolumeMuteEqualizerAndDisplayTypeReachTheirComponents) {
  const std::string folder = Folder("controls");
  WriteWav(folder + "tone.wav", 44100 * 6);
  TfrmPlayer& player = Open(folder);
  IAudioPlayer& audio = AudioPlayer();

  kiv::TkivTrackBar& volume = *player.tbPlaybackVolume;
  testkit::MouseDown(volume.Slider(), volume.Slider().Width() / 2, volume.Height() / 2);
  testkit::MouseMove(volume, volume.Width() / 3, volume.Height() / 2);
  testkit::MouseMove(volume, volume.Width() / 2, volume.Height() / 2);
  testkit::MouseUp(volume, volume.Width() / 2, volume.Height() / 2);
  // The last place dragged to, which the track bar announces only at a further move, is the
  // volume too.
  long level = -1;
  audio.get_srcVolume(&level);
  EXPECT_EQ(level, volume.Position());
  EXPECT_NEAR(level, 32767, 4000);

  VARIANT_BOOL flag = VARIANT_FALSE;
  testkit::Click(*player.cboxMute);
  audio.get_srcMute(&flag);
  EXPECT_EQ(flag, VARIANT_TRUE);
  testkit::Click(*player.cboxMute);
  audio.get_srcMute(&flag);
  EXPECT_EQ(flag, VARIANT_FALSE);
  testkit::Click(*player.cboxEQ);
  audio.get_EqualizerEnabled(&flag);
  EXPECT_EQ(flag, VARIANT_FALSE);
  testkit::Click(*player.cboxEQ);
  audio.get_EqualizerEnabled(&flag);
  EXPECT_EQ(flag, VARIANT_TRUE);

  Play("tone.wav");
  com::ptr<IZEVEqualizer> equalizer = player.AE->Query<IZEVEqualizer>();
  kiv::TkivButton* buttons[] = {player.sbtnMode1, player.sbtnMode2, player.sbtnMode3, player.sbtnMode4,
                                player.sbtnMode5, player.sbtnFlat};
  for (int preset = 1; preset <= 6; ++preset) {
    testkit::Click(*buttons[preset - 1]);
    const app::EqualizerBands expected = app::EqualizerPreset(preset);  // 6: flat
    const std::vector<float> stored = PlayerBands();
    for (int band = 0; band < 12; ++band) {
      com::variant value;
      DISPPARAMS none{};
      ASSERT_EQ(equalizer->Invoke(band + 1, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, value.put(), nullptr, nullptr),
                S_OK);
      EXPECT_FLOAT_EQ(value.get()->fltVal, expected[band]) << "preset " << preset << " band " << band + 1;
      EXPECT_FLOAT_EQ(stored[band], expected[band]) << "preset " << preset << " band " << band + 1;
    }
  }
  testkit::Click(*player.sbtnMode2);

  com::ptr<IDispatch> display = player.AD->OleObject();
  kiv::TkivRadioButton* radios[] = {player.kivRadioButton1, player.kivRadioButton2, player.kivRadioButton3,
                                    player.kivRadioButton4, player.kivRadioButton5};
  for (int type = 0; type < 5; ++type) {
    testkit::Click(*radios[type]);
    com::variant shown;
    DISPPARAMS none{};
    ASSERT_EQ(display->Invoke(3, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, shown.put(), nullptr, nullptr), S_OK);
    ASSERT_EQ(shown.change_type(VT_I4), S_OK);
    EXPECT_EQ(shown.get()->lVal, type);
    testkit::PumpFor(250);
    testkit::CaptureAndSave(player, "player_window_display" + std::to_string(type));
  }
  testkit::Click(*player.bStop);
}

TEST_F(PlayerWindow, ShownAgainAfterPlayingInASubFolderTheTreeShowsTheListedFolderFromItsLeft) {
  // Deep enough under the desktop that the tree scrolls sideways to show it.
  const std::string folder = Folder("tree-a-folder-with-a-long-name"),
                    sub = Folder("tree-a-folder-with-a-long-name\\sub-folder-with-a-long-name");
  Folder("tree-a-folder-with-a-long-name\\sub-folder-with-a-long-name\\inner");
  WriteWav(folder + "top.wav", 4410);
  WriteWav(sub + "inside.wav", 44100 * 5);
  TfrmPlayer& player = Open(folder);
  ASSERT_EQ(Column(0), std::vector<std::string>{"top.wav"});
  ui::TTreeNode* listed = player.STV->Selected();
  ASSERT_TRUE(listed);

  // Into the sub-folder by a click, opened by the arrow key, a file played there, the window closed.
  ui::TTreeNode* inner = ChildNode(listed, "sub-folder-with-a-long-name");
  ClickNode(inner);
  ASSERT_EQ(player.CurrentFolder(), sub);
  testkit::PressKey(VK_RIGHT);
  EXPECT_TRUE(inner->Expanded());
  Play("inside.wav");
  ASSERT_EQ(player.PlayingRow(), 0);
  testkit::Send(player, WM_CLOSE);
  ASSERT_FALSE(player.Visible());

  Open(folder);
  EXPECT_EQ(player.CurrentFolder(), folder);
  EXPECT_EQ(Column(0), std::vector<std::string>{"top.wav"});
  const HWND tree = player.STV->Handle();
  ASSERT_EQ(player.STV->Selected(), listed);
  EXPECT_TRUE(SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(listed->ItemId()), TVIS_SELECTED) &
              TVIS_SELECTED);
  EXPECT_FALSE(inner->Expanded()) << "the sub-folder left is still open";
  EXPECT_EQ(GetScrollPos(tree, SB_HORZ), 0);
  const RECT name = NameRect(listed);
  ASSERT_FALSE(IsRectEmpty(&name)) << "not in view";
  RECT client{};
  GetClientRect(tree, &client);
  EXPECT_GE(name.left, 0);
  EXPECT_LE(name.bottom, client.bottom);
  // The node's highlight in the window's picture, where its name begins.
  const std::unique_ptr<ui::TBitmap> picture = testkit::CaptureAndSave(player, "app_player_shown_again");
  POINT at{name.left + 1, name.top + 1};
  ClientToScreen(tree, &at);
  RECT window{};
  GetWindowRect(player.Handle(), &window);
  EXPECT_TRUE(testkit::ColorNear(picture->Pixel(at.x - window.left, at.y - window.top),
                                 static_cast<ui::TColor>(GetSysColor(COLOR_HIGHLIGHT))));

  // A click on the listed folder keeps it listed; the sub-folder and back list each again.
  ClickNode(listed);
  EXPECT_EQ(player.CurrentFolder(), folder);
  ClickNode(inner);
  EXPECT_EQ(Column(0), std::vector<std::string>{"inside.wav"});
  ClickNode(listed);
  EXPECT_EQ(player.CurrentFolder(), folder);
  EXPECT_EQ(Column(0), std::vector<std::string>{"top.wav"});
}

TEST_F(PlayerWindow, AScanEndsEarlyForAnotherFolderForACloseAndSurvivesPlay) {
  const std::string many = Folder("many"), few = Folder("few"), start = Folder("start");
  for (int i = 0; i < 100; ++i) WriteWav(many + "tone" + app::PadLeft(std::to_string(i), 3, '0') + ".wav", 441);
  WriteWav(few + "x.wav", 441);
  WriteWav(few + "y.wav", 441);
  WriteWav(start + "s.wav", 441);
  TfrmPlayer& player = Open(start);
  ASSERT_EQ(Column(0), std::vector<std::string>{"s.wav"});

  // Another folder chosen while "many" is being listed: only that one is listed, by the same
  // scan going round again, not by a scan inside the scan.
  bool scanningThen = false;
  {
    AtNextPump chooseFew([&] {
      scanningThen = player.Scanning();
      player.STV->SetPath(few);
    });
    ASSERT_TRUE(player.STV->SetPath(many));
    EXPECT_TRUE(chooseFew.Ran());
  }
  EXPECT_TRUE(scanningThen);
  EXPECT_FALSE(player.Scanning());
  EXPECT_EQ(player.CurrentFolder(), few);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"x.wav", "y.wav"}));

  // The window closed during a scan: the scan stops with it; the folder is listed whole when
  // it is shown again.
  {
    AtNextPump close([&] { player.Close(); });
    player.STV->SetPath(many);
    EXPECT_TRUE(close.Ran());
  }
  EXPECT_FALSE(player.Scanning());
  EXPECT_FALSE(player.Visible());
  EXPECT_LT(player.lvPlayList->Items().Count(), 100);
  // Listed in the window on the screen, not behind a window that shows only at the end.
  bool visibleWhileListing = false;
  {
    AtNextPump look([&] { visibleWhileListing = IsWindowVisible(player.Handle()); },
                    [&] { return player.Scanning(); });
    Open(many);
    EXPECT_TRUE(look.Ran());
  }
  EXPECT_TRUE(visibleWhileListing);
  EXPECT_EQ(player.lvPlayList->Items().Count(), 100);

  // "Play" (paused at once: the files are short) and a column click during a scan: the file
  // stays the playing row through the sorting that ends the scan.
  player.STV->SetPath(few);
  std::string played;
  {
    AtNextPump playFirst([&] {
      player.lvPlayList->Items()[0]->SetSelected(true);
      played = player.lvPlayList->Items()[0]->Caption();
      player.btnPlayClick(player.btnPlay);
      player.bPauseClick(player.bPause);
      player.lvPlayListColumnClick(player.lvPlayList, player.lvPlayList->Columns()[1]);
    }, [&] { return player.lvPlayList->Items().Count() > 0; });
    player.STV->SetPath(many);
    EXPECT_TRUE(playFirst.Ran());
  }
  EXPECT_FALSE(player.Scanning());
  ASSERT_GE(player.PlayingRow(), 0);
  EXPECT_EQ(player.lvPlayList->Items()[player.PlayingRow()]->Caption(), played);
  EXPECT_EQ(Status(player.PlayingRow()), "Paused");
  // While it plays, the tree keeps its folder.
  messages_.clear();
  player.STV->SetPath(few);
  EXPECT_EQ(player.CurrentFolder(), many);
  EXPECT_EQ(messages_, std::vector<std::string>{"Playing... Please Stop!"});
  testkit::Click(*player.bStop);
  EXPECT_EQ(player.PlayingRow(), -1);

  // The application ending during a scan ends it too (the last thing this program does).
  player.STV->SetPath(few);
  {
    AtNextPump quit([] { ui::Application().Terminate(); });
    player.STV->SetPath(many);
    EXPECT_TRUE(quit.Ran());
  }
  EXPECT_TRUE(ui::Application().Terminated());
  EXPECT_FALSE(player.Scanning());
  EXPECT_LT(player.lvPlayList->Items().Count(), 100);
}

}  // namespace
