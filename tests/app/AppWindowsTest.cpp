#include "AppWindowsTest.h"

#include <filesystem>

#include "com/Bstr.h"
#include "com/Ptr.h"

#include "FakeCdAudioDevice.h"
#include "ServerDll.h"
#include "TestFiles.h"
#include "WindowTestKit.h"
#include "ZEVAudioInformation.h"

FileTags TagsOf(const std::string& path) {
  FileTags tags;
  com::ptr<IAudioInformation> info;
  EXPECT_EQ(CoCreateInstance(CLSID_AudioInformation, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(info.put())), S_OK);
  if (!info) return tags;
  VARIANT_BOOL opened = VARIANT_FALSE;
  info->OpenFile(com::bstr::from_ansi(path).get(), &opened);
  tags.opened = opened == VARIANT_TRUE;
  com::bstr text;
  if (SUCCEEDED(info->get_infoTitle(text.put()))) tags.title = com::to_ansi(text.get());
  if (SUCCEEDED(info->get_infoArtist(text.put()))) tags.artist = com::to_ansi(text.get());
  if (SUCCEEDED(info->get_infoAlbum(text.put()))) tags.album = com::to_ansi(text.get());
  info->get_infoGenre(&tags.genre);
  info->get_infoYear(&tags.year);
  return tags;
}

void AppWindowsTest::SetUp() {
  RipperTest::SetUp();
  // The tag component the rip loop and the edit dialog use.
  static const HRESULT tags = ServerDll(L"ZEVAudioInformation.dll").registerServer();
  ASSERT_EQ(tags, S_OK);
}

void AppWindowsTest::TearDown() {
  pathSelect_.reset();
  option_.reset();
  edit_.reset();
  progress_.reset();
  if (main_) {
    // The program leaves DriverClose to its exit; the next test needs the drive layer back.
    if (main_->AudioCDRipper1) main_->AudioCDRipper1.get()->DriverClose();
    delete main_;
  }
  RipperTest::TearDown();
}

void AppWindowsTest::Open(const std::vector<std::string>& tracks, const std::string& output) {
  simdrive::ConfigText config = Config();
  config.Drive("0:1:0").Key("product", "SIMDRIVE CD-ROM").Key("disc", "album").Disc("album");
  for (const std::string& track : tracks) config.Track(track.c_str());
  ASSERT_TRUE(simdrive::UseConfig(simdrive::ScratchPath("ripper-drives.ini"), config.Text()));
  output_ = ScratchFolder() + output + "\\";
  std::error_code ignored;
  std::filesystem::remove_all(output_, ignored);
  ASSERT_TRUE(CreateDirectoryA(output_.c_str(), nullptr));
  main_ = ui::Create<app::TfrmMain>(nullptr, context_, std::make_unique<FakeCdAudioDevice>());
  // The settings file of this test, in its scratch folder; a first run has none.
  context_.Shared.AppFolder = ScratchFolder();
  DeleteFileA(context_.Shared.SettingsPath().c_str());
  DeleteFileA((ScratchFolder() + app::kSettingsFileName).c_str());
  progress_.reset(ui::Create<app::TfrmProgress>(nullptr, context_));
  edit_.reset(ui::Create<app::TfrmEdit>(nullptr, context_));
  option_.reset(ui::Create<app::TfrmOption>(nullptr, context_));
  pathSelect_.reset(ui::Create<app::TfrmPathSelect>(nullptr, context_));
  option_->edtOutput->SetText(output_);
  option_->ApplySettings();
  main_->Show();
  testkit::Pump();
}

void AppWindowsTest::CheckRows(const std::vector<int>& rows) {
  ui::TListItems& items = main_->lvCD->Items();
  for (int i = 0; i < items.Count(); ++i) items[i]->SetChecked(false);
  for (int row : rows) items[row]->SetChecked(true);
}

void AppWindowsTest::ChangeOptions(const std::function<void(app::TfrmOption&)>& change) {
  testkit::ModalAnswer answer([&](ui::TForm&) {
    change(*option_);
    testkit::Click(*option_->bOk);
  });
  testkit::Click(*main_->bOption);
  ASSERT_TRUE(answer.Answered());
}

std::string AppWindowsTest::RipChecked(int format, const std::function<void()>& during, const std::string& capture) {
  main_->cmbOutput->SetItemIndex(format);
  std::string ending;
  testkit::ModalAnswer answer([&](ui::TForm&) {
    if (during) {
      testkit::WaitUntil([&] { return progress_->kivProgressBarNow->Position() > 0 || !context_.Shared.Ripping; },
                         20000);
      during();
      // Cancelled, or closed: the modal loop ends the dialog once this returns.
      if (!progress_->Visible() || progress_->ModalResult() != ui::mrNone) return;
    }
    EXPECT_TRUE(testkit::WaitUntil([&] { return !context_.Shared.Ripping; }, 60000)) << "the job never ended";
    ending = progress_->bCancel->Caption();
    // The skin's title bar shows the caption with the format.
    EXPECT_EQ(progress_->kivForm->Caption(), "Extract CD Progress Output Format: " + main_->cmbOutput->Items()[format]);
    if (!capture.empty()) {
      testkit::Pump();
      testkit::CaptureAndSave(*progress_, capture);
    }
    testkit::Click(*progress_->bCancel);
  });
  testkit::Click(*main_->bExtract);
  EXPECT_TRUE(answer.Answered());
  return ending;
}

std::vector<std::string> AppWindowsTest::RowTitles() {
  std::vector<std::string> titles;
  ui::TListItems& items = main_->lvCD->Items();
  for (int i = 0; i < items.Count(); ++i) titles.push_back(items[i]->SubItems()[0]);
  return titles;
}
