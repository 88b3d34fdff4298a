// The main window through the test kit's posted input against the real ripper on simulated
// drives: the drive list, disc type and rows, the selection buttons, a second drive, no drive,
// a selected track with CD playback (on a fake CD audio device), device changes, and "Help".
#include "Main.h"

#include "FakeCdAudioDevice.h"
#include "KIVButton.h"
#include "RipperTest.h"
#include "TestFiles.h"
#include "WindowTestKit.h"

#include <commctrl.h>
#include <dbt.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The ripper's class as an installation with a broken ripper library leaves it: registered
// in this process ahead of the real server, and refusing every object asked of it.
class RefusedRipperClass final : public IClassFactory {
 public:
  RefusedRipperClass() {
    CoRegisterClassObject(CLSID_AudioCDRipper, this, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
  }
  ~RefusedRipperClass() { CoRevokeClassObject(cookie_); }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == IID_IClassFactory ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, void** out) override {
    *out = nullptr;
    return E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  DWORD cookie_ = 0;
};

class MainWindow : public RipperTest {
 protected:
  void TearDown() override {
    if (form_) {
      // The program leaves DriverClose to its exit; the next test's window needs the drive
      // layer back.
      if (form_->AudioCDRipper1) form_->AudioCDRipper1.get()->DriverClose();
      delete form_;
    }
    RipperTest::TearDown();
  }
  void Open(const simdrive::ConfigText& config) {
    ASSERT_TRUE(simdrive::UseConfig(simdrive::ScratchPath("ripper-drives.ini"), config.Text()));
    auto device = std::make_unique<FakeCdAudioDevice>();
    device_ = device.get();
    form_ = ui::Create<app::TfrmMain>(nullptr, context_, std::move(device));
    form_->Show();
    testkit::Pump();
  }
  // Drive 0:1:0 holding `count` audio tracks of 1:00 (the disc "album").
  void OpenWithTracks(int count) {
    simdrive::ConfigText config = Config();
    config.Drive("0:1:0").Key("product", "SIMDRIVE CD-ROM").Key("disc", "album").Disc("album");
    for (int t = 0; t < count; ++t) config.Track("audio 1:00");
    Open(config);
  }
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    ui::TListItems& items = form_->lvCD->Items();
    for (int i = 0; i < items.Count(); ++i)
      rows.push_back(items[i]->Caption() + "|" + items[i]->SubItems()[0] + "|" + items[i]->SubItems()[1]);
    return rows;
  }
  std::vector<bool> Checks() {
    std::vector<bool> checks;
    for (int i = 0; i < form_->lvCD->Items().Count(); ++i) checks.push_back(form_->lvCD->Items()[i]->Checked());
    return checks;
  }
  void ClickRow(int index) {
    RECT row{};
    ListView_GetItemRect(form_->lvCD->Handle(), index, &row, LVIR_LABEL);
    testkit::Click(*form_->lvCD, (row.left + row.right) / 2, (row.top + row.bottom) / 2);
  }

  app::AppContext context_;
  app::TfrmMain* form_ = nullptr;
  FakeCdAudioDevice* device_ = nullptr;
};

}  // namespace

TEST_F(MainWindow, ShowsTheDriveTheDiscTypeAndOneRowPerTrack) {
  OpenWithTracks(10);
  EXPECT_EQ(form_->lbCDType->Caption(), "CD-DA (Audio Disc)");
  ASSERT_EQ(form_->CmbDevice->Items().Count(), 1);
  EXPECT_NE(form_->CmbDevice->Items()[0].find("SIMDRIVE CD-ROM"), std::string::npos);
  EXPECT_EQ(form_->CmbDevice->ItemIndex(), 0);
  EXPECT_EQ(form_->cmbOutput->Items().Count(), 3);
  EXPECT_EQ(form_->cmbOutput->ItemIndex(), 1);
  const std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows.front(), "01|Track 01|01:00");
  EXPECT_EQ(rows.back(), "10|Track 10|01:00");
  EXPECT_EQ(context_.Tracks.TrackArtists, std::vector<std::string>(10, "Unknown"));
  EXPECT_EQ(form_->lbOutputPath->Caption(), "Output Path:  ");
  EXPECT_EQ(form_->lbPlayInfo->Caption(), "Stop");
  EXPECT_FALSE(form_->btnPlayCD->Enabled());
  EXPECT_FALSE(form_->btnStopCD->Enabled());
  EXPECT_EQ(context_.Shared.CddbCgiScript, "/~cddb/cddb.cgi");
  EXPECT_EQ(context_.Shared.AppFolder.back(), '\\');
  // The drive's whole name fits its list beside the drop button; every label of the track
  // information ends before its box.
  {
    const HWND list = form_->CmbDevice->Handle();
    HDC dc = GetDC(list);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
    const std::string name = form_->CmbDevice->Items()[0];
    SIZE text{};
    GetTextExtentPoint32A(dc, name.c_str(), static_cast<int>(name.size()), &text);
    ReleaseDC(list, dc);
    EXPECT_LE(text.cx + GetSystemMetrics(SM_CXVSCROLL) + 8, form_->CmbDevice->Width()) << name;
  }
  for (const char* name : {"Album", "Artist", "Title", "Year", "Category"}) {
    auto* label = testkit::FindByName<ui::TLabel>(*form_, std::string("lb") + name);
    auto* edit = testkit::FindByName<ui::TControl>(*form_, std::string("edt") + name);
    ASSERT_TRUE(label && edit) << name;
    EXPECT_LE(label->BoundsRect().right + 4, edit->Left()) << name;
  }
  testkit::CaptureAndSave(*form_, "app_main_window");
}

TEST_F(MainWindow, SelectionButtonsCheckUncheckAndInvertAndRefreshClearsThem) {
  OpenWithTracks(4);
  testkit::Click(*form_->btnSelectAll);
  EXPECT_EQ(Checks(), std::vector<bool>(4, true));
  testkit::Click(*form_->btnUnSelectAll);
  EXPECT_EQ(Checks(), std::vector<bool>(4, false));
  form_->lvCD->Items()[1]->SetChecked(true);
  testkit::Click(*form_->btnInvert);
  EXPECT_EQ(Checks(), (std::vector<bool>{true, false, true, true}));
  testkit::Click(*form_->bRefresh);
  EXPECT_EQ(Checks(), std::vector<bool>(4, false));
  EXPECT_EQ(Rows().size(), 4u);
}

TEST_F(MainWindow, RowsReadAgainShowNoTrackInformationAndNoTrackButtonsUntilARowIsChosen) {
  OpenWithTracks(3);
  EXPECT_FALSE(form_->btnEdit->Enabled()) << "no row is chosen yet";
  ClickRow(1);
  EXPECT_EQ(form_->edtTitle->Text(), "Track 02");
  EXPECT_TRUE(form_->btnEdit->Enabled());
  EXPECT_TRUE(form_->btnPlayCD->Enabled());

  PutDisc("none");
  PutDisc("album");
  testkit::Click(*form_->bRefresh);
  ASSERT_EQ(Rows().size(), 3u);
  EXPECT_EQ(form_->lvCD->Selected(), nullptr);
  for (kiv::TkivEdit* box : {form_->edtAlbum, form_->edtArtist, form_->edtTitle, form_->edtCategory})
    EXPECT_EQ(box->Text(), "") << box->Name();
  EXPECT_EQ(form_->edtYear->Text(), "2003");
  EXPECT_FALSE(form_->btnEdit->Enabled());
  EXPECT_FALSE(form_->btnPlayCD->Enabled());
  EXPECT_FALSE(form_->btnStopCD->Enabled());
  testkit::CaptureAndSave(*form_, "app_main_window_refreshed");

  ClickRow(0);
  EXPECT_EQ(form_->edtTitle->Text(), "Track 01");
  EXPECT_TRUE(form_->btnEdit->Enabled());
  EXPECT_TRUE(form_->btnPlayCD->Enabled());
}

TEST_F(MainWindow, ChoosingTheSecondDriveReadsItsDiscAndShowsItsType) {
  simdrive::ConfigText config = Config();
  config.Drive("0:1:0").Key("product", "FIRST DRIVE").Key("disc", "audio");
  config.Drive("0:2:0").Key("product", "SECOND DRIVE").Key("disc", "other");
  config.Disc("audio").Track("audio 2:00").Track("audio 3:00");
  config.Disc("other").Track("mode1 10:00").Track("audio 4:30").Track("audio 0:45");
  Open(config);
  ASSERT_EQ(form_->CmbDevice->Items().Count(), 2);
  EXPECT_EQ(Rows().size(), 2u);
  form_->SetActiveControl(form_->CmbDevice);
  testkit::PressKey(VK_DOWN);
  EXPECT_EQ(form_->CmbDevice->ItemIndex(), 1);
  EXPECT_EQ(form_->lbCDType->Caption(), "CD-Extra");  // a data track before the audio
  EXPECT_EQ(Rows(), (std::vector<std::string>{"01|Track 01|04:30", "02|Track 02|00:45"}));
  testkit::PressKey(VK_UP);
  EXPECT_EQ(form_->lbCDType->Caption(), "CD-DA (Audio Disc)");
  EXPECT_EQ(Rows().size(), 2u);
}

TEST_F(MainWindow, NoDriveShowsNoDiskNoDriverAndNoRows) {
  simdrive::ConfigText config = Config();
  config.Key("adapters", "1");
  Open(config);
  EXPECT_EQ(form_->lbCDType->Caption(), "No Disk");
  ASSERT_EQ(form_->CmbDevice->Items().Count(), 1);
  EXPECT_EQ(form_->CmbDevice->Items()[0], "No CD Driver!");
  EXPECT_TRUE(Rows().empty());
  testkit::Click(*form_->bRefresh);
  EXPECT_TRUE(Rows().empty());
}

TEST_F(MainWindow, ASelectedTrackShowsItsInformationAndPlaysUntilTheNextTrack) {
  OpenWithTracks(10);
  ClickRow(2);
  EXPECT_EQ(form_->edtTitle->Text(), "Track 03");
  EXPECT_EQ(form_->edtAlbum->Text(), "Unknown");
  EXPECT_EQ(form_->edtArtist->Text(), "Unknown");
  EXPECT_EQ(form_->edtYear->Text(), "2003");
  EXPECT_TRUE(form_->btnPlayCD->Enabled());
  EXPECT_FALSE(form_->btnStopCD->Enabled());

  testkit::Click(*form_->btnPlayCD);
  EXPECT_EQ(device_->calls, (std::vector<std::string>{"open", "play 3"}));
  device_->position = {3, 0, 5, 0};
  ASSERT_TRUE(testkit::WaitUntil([&] { return form_->lbPlayInfo->Caption() == "Playing ...   [ Track  03 ]  00:05  "; }));
  EXPECT_FALSE(form_->btnPlayCD->Enabled());
  EXPECT_TRUE(form_->btnStopCD->Enabled());
  testkit::CaptureAndSave(*form_, "app_main_window_playing");
  device_->position = {4, 0, 0, 2};
  ASSERT_TRUE(testkit::WaitUntil([&] { return form_->lbPlayInfo->Caption() == "Stop "; }));
  EXPECT_TRUE(form_->btnPlayCD->Enabled());
  EXPECT_FALSE(form_->btnStopCD->Enabled());
  EXPECT_FALSE(form_->tmPlay->Enabled());

  testkit::Click(*form_->btnPlayCD);
  testkit::Click(*form_->btnStopCD);
  EXPECT_EQ(device_->calls.back(), "close");
  EXPECT_FALSE(form_->Playback().Playing());
}

TEST_F(MainWindow, DeviceChangesReadTheDiscAgainWhenItCameOrWent) {
  simdrive::ConfigText config = Config();
  config.Drive("0:1:0").Key("disc", "album").Disc("album").Track("audio 1:00").Track("audio 2:00");
  config.Disc("single").Track("audio 5:00");
  Open(config);
  EXPECT_EQ(Rows().size(), 2u);
  PutDisc("none");
  testkit::Send(*form_, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE);
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(form_->lbCDType->Caption(), "No Disk");
  EXPECT_EQ(context_.Shared.DiscSerial, "");
  PutDisc("single");
  testkit::Send(*form_, WM_DEVICECHANGE, DBT_DEVICEARRIVAL);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"01|Track 01|05:00"}));
}

TEST_F(MainWindow, HelpOpensTheHelpFileBesideTheProgramInTheSystemsHelpViewer) {
  OpenWithTracks(1);
  const std::string help = context_.Shared.AppFolder + "OmbrelHelp.chm";
  ASSERT_NE(GetFileAttributesA(help.c_str()), INVALID_FILE_ATTRIBUTES) << help;
  testkit::Click(*form_->bHelp);
  // The shell hands the file to the help viewer, a process of its own titled by the file.
  HWND viewer = nullptr;
  EXPECT_TRUE(testkit::WaitUntil([&] { return (viewer = FindWindowA(nullptr, "Ombrel Help")) != nullptr; }, 30000));
  if (!viewer) return;
  DWORD id = 0;
  GetWindowThreadProcessId(viewer, &id);
  const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
  PostMessageA(viewer, WM_CLOSE, 0, 0);
  if (process) {
    if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
    CloseHandle(process);
  }
}

TEST_F(MainWindow, ARipperThatCannotBeMadeIsToldAndLeavesAWindowWithoutDiscActions) {
  RefusedRipperClass refused;
  std::string caption;
  testkit::ModalAnswer answer([&](ui::TForm& message) {
    caption = message.Caption();
    testkit::CaptureAndSave(message, "app_main_no_ripper_message");
    message.SetModalResult(ui::mrOk);
  });
  OpenWithTracks(3);
  ASSERT_TRUE(answer.Answered());
  EXPECT_EQ(caption, "Ombrel");
  EXPECT_FALSE(form_->AudioCDRipper1);
  EXPECT_EQ(form_->lbCDType->Caption(), "No Disk");
  EXPECT_EQ(form_->CmbDevice->Items().Count(), 1);
  EXPECT_EQ(form_->CmbDevice->Items()[0], "No CD Driver!");
  EXPECT_TRUE(Rows().empty());
  for (ui::TControl* action : std::initializer_list<ui::TControl*>{form_->bExtract, form_->bRefresh,
                                                                   form_->ToolButton2, form_->CmbDevice})
    EXPECT_FALSE(action->Enabled()) << action->Name();
  EXPECT_TRUE(form_->bAbout->Enabled());
  // A device message still reads nothing through the missing ripper.
  testkit::Send(*form_, WM_DEVICECHANGE, DBT_DEVICEARRIVAL);
  EXPECT_TRUE(Rows().empty());
}
