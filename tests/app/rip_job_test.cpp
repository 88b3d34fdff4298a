// The application's main road through its windows, against the real ripper on a simulated drive
// and a CDDB server on loopback: titles fetched and confirmed, tracks checked, "Rip Now", and
// the files decoded back and their tags read through the components; WAV bit-exact, MP3 and
// Ogg Vorbis; a job cancelled and the next started at once; "Add new" again and again and two
// tracks of one title; a rip that fails and a disc pulled during a job; editing one track; the
// window held during a look-up as by a modal dialog.
#include "AppWindowsTest.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>
#include <utility>

#include <dbt.h>

#include "CddbTestServer.h"
#include "RipAudioCheck.h"
#include "TextRoutines.h"
#include "WindowTestKit.h"
#include "frmMessage.h"
#include "tests/outside/AudioFileClient.h"
#include "tests/outside/AudioTestSupport.h"

namespace {

constexpr int kSamplesPerFrame = 588;
// Five tracks of 300 frames (4 seconds), laid out from LBA 0.
constexpr int kTrackFrames = 300;
const std::vector<std::string> kFiveTracks(5, "audio 300");

std::vector<int16_t> TrackAudio(int track, int frames = kTrackFrames) {
  const std::vector<std::uint8_t> bytes = riptest::GeneratedAudio((track - 1) * kTrackFrames, frames);
  std::vector<int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), bytes.size());
  return samples;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The lines of a word-wrapped label as the system wraps them: at blanks, as many words on each
// line as its width takes, and at every line break of the text.
std::vector<std::string> WrappedLines(ui::TLabel& label) {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, label.Font().Handle());
  const auto fits = [&](const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx <= label.Width();
  };
  std::vector<std::string> lines;
  std::istringstream paragraphs(label.Caption());
  for (std::string paragraph; std::getline(paragraphs, paragraph);) {
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
    std::istringstream words(paragraph);
    std::string line;
    for (std::string word; words >> word;) {
      if (line.empty() || fits(line + " " + word)) line += (line.empty() ? "" : " ") + word;
      else lines.push_back(std::exchange(line, word));
    }
    lines.push_back(line);
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return lines;
}

// A press of the left button at a control's centre, as the system would post it.
struct Press {
  HWND window;
  POINT screen;
  LPARAM at;
};
Press PressAt(ui::TControl& control) {
  HWND window = control.IsWindowed() ? static_cast<ui::TWinControl&>(control).Handle() : control.Parent()->Handle();
  const RECT client = control.ClientRect();
  const POINT screen = control.ClientToScreen({client.right / 2, client.bottom / 2});
  POINT at = screen;
  ScreenToClient(window, &at);
  return {window, screen, ui::MakeMouseLParam(at.x, at.y)};
}

class RipJob : public AppWindowsTest {
 protected:
  void TearDown() override {
    server_.reset();
    RemoveCachedTitles();
    AppWindowsTest::TearDown();
  }

  // A CDDB server on loopback that knows the disc in the drive by these titles (artist /
  // album, then one per track), asked by the program from now on.
  void ServeTitles(const std::string& artistAndAlbum, const std::vector<std::string>& titles) {
    LONG id = 0;
    ASSERT_EQ(main_->AudioCDRipper1.get()->get_cdID(&id), S_OK);
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08lx", static_cast<unsigned long>(id));
    const std::string database = ScratchFolder() + "cddb\\";
    std::filesystem::create_directories(database + "misc");
    std::ofstream entry(database + "misc\\" + hex, std::ios::binary);
    entry << "# xmcd\n#\nDISCID=" << hex << "\nDTITLE=" << artistAndAlbum << "\nDYEAR=2011\nDGENRE=Misc\n";
    for (std::size_t t = 0; t < titles.size(); ++t) entry << "TTITLE" << t << "=" << titles[t] << "\n";
    entry << "EXTD=\nPLAYORDER=\n";
    entry.close();
    ServeFrom(database);
  }
  void ServeFrom(const std::string& database) {
    server_.emplace(database);
    context_.Shared.CddbServer = "127.0.0.1";
    context_.Shared.CddbTimeOut = 3000;
    // The program leaves the port at its default; the test server has its own.
    ASSERT_EQ(main_->AudioCDRipper1.get()->put_cddbServerHTTPPort(server_->port()), S_OK);
    cachedAlbum_ = true;
  }
  // Presses "Get CDDB" and answers its question with the result; the question's caption.
  std::string GetCddb(int answer) {
    testkit::ModalAnswer question(answer);
    testkit::Click(*main_->ToolButton2);
    EXPECT_TRUE(question.Answered());
    return question.Seen();
  }
  // The ripper keeps what it found on-line in cdplayer.ini; the next run must ask again.
  void RemoveCachedTitles() {
    if (!cachedAlbum_) return;
    std::vector<char> names(1 << 16);
    const DWORD length = GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), "cdplayer.ini");
    for (const char* name = names.data(); name < names.data() + length && *name; name += std::strlen(name) + 1) {
      char title[256] = {};
      GetPrivateProfileStringA(name, "title", "", title, sizeof title, "cdplayer.ini");
      if (std::string(title).find("Late Hours") != std::string::npos)
        WritePrivateProfileStringA(name, nullptr, nullptr, "cdplayer.ini");
    }
  }
  // Edits the track of the row through the edit dialog.
  void EditRow(int row, const std::function<void(app::TfrmEdit&)> change) {
    main_->lvCD->Items()[row]->SetSelected(true);
    testkit::ModalAnswer answer([&](ui::TForm&) {
      change(*edit_);
      testkit::Click(*edit_->bOK);
    });
    testkit::Click(*main_->btnEdit);
    ASSERT_TRUE(answer.Answered());
  }

  std::optional<CddbTestServer> server_;
  bool cachedAlbum_ = false;
};

}  // namespace

TEST_F(RipJob, TracksTwoAndFiveToMp3UnderSchemeThreeWithCddbTitlesDecodeBackWithTheirTags) {
  Open(kFiveTracks);
  ServeTitles("Night Shift / Late Hours", {"Dusk", "Second Wind", "Ward", "Rounds", "..\\..\\Out:Of*Bounds?<CON>|"});
  EXPECT_EQ(GetCddb(ui::mrOk), "Get CDDB Information!");
  EXPECT_EQ(RowTitles()[1], "Second Wind");
  ChangeOptions([](app::TfrmOption& options) { options.cmbFilename->SetItemIndex(3); });
  CheckRows({1, 4});
  EXPECT_EQ(RipChecked(1, nullptr, "app_progress_finished"), "Extract Finished!");
  EXPECT_EQ(main_->lbPlayInfo->Caption(), "Extract Finished!");
  EXPECT_EQ(progress_->lbTotal->Caption(), "Total Extract: 100%");
  // The title once, as the list holds it.
  EXPECT_EQ(progress_->lbNow->Caption(), "Now Extract: " + context_.Tracks.TrackTitles[4] + " 100%");

  const std::vector<std::string>& paths = progress_->RippedPaths();
  ASSERT_EQ(paths.size(), 2u);
  EXPECT_EQ(paths[0], Output() + "2Night ShiftLate HoursSecond Wind.mp3");
  // The hostile title stays a name inside the output folder.
  EXPECT_EQ(paths[1].rfind(Output(), 0), 0u) << paths[1];
  EXPECT_EQ(paths[1].find('\\', Output().size()), std::string::npos) << paths[1];
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const int track = i == 0 ? 2 : 5;
    SCOPED_TRACE(paths[i]);
    ASSERT_TRUE(Exists(paths[i]));
    const outside_test::ControlReading reading =
        outside_test::readThroughControl(std::wstring(paths[i].begin(), paths[i].end()));
    EXPECT_EQ(reading.openError, 0);
    EXPECT_EQ(reading.formatA, 44100);
    EXPECT_EQ(reading.totalSamples, kTrackFrames * kSamplesPerFrame);
    for (int channel : {0, 1}) EXPECT_GT(outside_test::snrDb(TrackAudio(track), 2, reading.pcm, 2, channel), 20);
    const FileTags tags = TagsOf(paths[i]);
    EXPECT_TRUE(tags.opened);
    EXPECT_EQ(tags.title, context_.Tracks.TrackTitles[track - 1]);
    EXPECT_EQ(tags.artist, "Night Shift");
    EXPECT_EQ(tags.album, "Late Hours");
    EXPECT_EQ(tags.year, 2003);
    EXPECT_EQ(tags.genre, 1);
  }
}

TEST_F(RipJob, WavIsBitExactAndOggIsEncodedAsTheOptionsSay) {
  Open(kFiveTracks);
  CheckRows({2});
  EXPECT_EQ(RipChecked(0), "Extract Finished!");
  ASSERT_EQ(progress_->RippedPaths().size(), 1u);
  EXPECT_EQ(progress_->RippedPaths()[0], Output() + "3UnknownTrack 03.wav");
  const riptest::WavContents wav = riptest::ReadWav(progress_->RippedPaths()[0]);
  ASSERT_TRUE(wav.valid) << wav.problem;
  EXPECT_EQ(wav.data, riptest::GeneratedAudio(2 * kTrackFrames, kTrackFrames));
  EXPECT_EQ(TagsOf(progress_->RippedPaths()[0]).title, "Track 03");

  EXPECT_EQ(RipChecked(2), "Extract Finished!");
  const std::string ogg = progress_->RippedPaths().at(0);
  EXPECT_EQ(ogg, Output() + "3UnknownTrack 03.ogg");
  const outside_test::ControlReading reading = outside_test::readThroughControl(std::wstring(ogg.begin(), ogg.end()));
  EXPECT_EQ(reading.openError, 0);
  EXPECT_EQ(reading.formatA, 24000);  // the first run's Ogg frequency
  EXPECT_EQ(reading.formatB, 2);
  EXPECT_EQ(TagsOf(ogg).album, "Unknown");
}

TEST_F(RipJob, TheCddbQuestionKeepsTheAlbumFoundWholeOnItsLine) {
  Open(kFiveTracks);
  ServeTitles("Night Shift / Late Hours", {"Dusk", "Second Wind", "Ward", "Rounds", "Dawn"});
  std::vector<std::string> lines;
  testkit::ModalAnswer question([&](ui::TForm& window) {
    auto* message = dynamic_cast<kiv::TfrmMsg*>(&window);
    ASSERT_TRUE(message);
    lines = WrappedLines(*message->lbl);
    testkit::CaptureAndSave(window, "app_cddb_question");
    window.SetModalResult(ui::mrCancel);
  });
  testkit::Click(*main_->ToolButton2);
  ASSERT_TRUE(question.Answered());
  EXPECT_EQ(lines, (std::vector<std::string>{"Now get this CD Information:", "< Late Hours >", "Do you want to use it?"}));
}

TEST_F(RipJob, ACancelledOrClosedJobLetsTheNextStartAtOnceAndItsLateEndCountsForNothing) {
  Open({"audio 3000", "audio 300", "audio 300"});
  IAudioCDRipper* ripper = main_->AudioCDRipper1.get();
  ASSERT_EQ(ripper->put_driveSpeed(4), S_OK);  // slow enough to cancel the first track
  CheckRows({0, 1});
  RipChecked(0, [&] { testkit::Click(*progress_->bCancel); });
  EXPECT_FALSE(progress_->Visible());
  EXPECT_FALSE(context_.Shared.Ripping);
  EXPECT_EQ(main_->lbPlayInfo->Caption(), "Extract Stop");
  EXPECT_EQ(TagsOf(progress_->RippedPaths().at(0)).title, "") << "a cancelled job writes no tags";

  // At once: the stopped rip has not reported its end yet.
  ripper->put_driveSpeed(64);
  CheckRows({1, 2});
  EXPECT_EQ(RipChecked(0), "Extract Finished!");
  EXPECT_EQ(progress_->lbTotal->Caption(), "Total Extract: 100%");
  ASSERT_EQ(progress_->RippedPaths().size(), 2u);
  for (int i = 0; i < 2; ++i) {
    const riptest::WavContents wav = riptest::ReadWav(progress_->RippedPaths()[i]);
    ASSERT_TRUE(wav.valid) << wav.problem;
    EXPECT_EQ(wav.data.size(), 300u * 2352) << "track " << i + 2 << " whole";
    EXPECT_EQ(TagsOf(progress_->RippedPaths()[i]).title, "Track 0" + std::to_string(i + 2));
  }

  // Closed by its title bar, the dialog stops the job as "Cancel ..." does.
  ripper->put_driveSpeed(4);
  CheckRows({0});
  RipChecked(0, [&] { testkit::Send(*progress_, WM_CLOSE); });
  EXPECT_FALSE(progress_->Visible());
  EXPECT_FALSE(context_.Shared.Ripping);
  EXPECT_EQ(main_->lbPlayInfo->Caption(), "Extract Stop");
  ripper->put_driveSpeed(64);
  CheckRows({2});
  EXPECT_EQ(RipChecked(0), "Extract Finished!");
}

TEST_F(RipJob, AddNewNeverOverwritesAndTwoTracksOfOneTitleNeverShareAFile) {
  Open(kFiveTracks);
  ChangeOptions([](app::TfrmOption& options) { options.cmbFilename->SetItemIndex(0); });
  EditRow(1, [](app::TfrmEdit& edit) {
    edit.edtTitle->SetText("Track 01");
    edit.edtAlbum->SetText("Second");
  });
  CheckRows({0, 1});
  EXPECT_EQ(RipChecked(0), "Extract Finished!");
  EXPECT_EQ(progress_->RippedPaths(), (std::vector<std::string>{Output() + "Track 01.wav", Output() + "Track 01new.wav"}));
  EXPECT_EQ(TagsOf(Output() + "Track 01new.wav").album, "Second");
  EXPECT_EQ(TagsOf(Output() + "Track 01.wav").album, "Unknown");
  CheckRows({0});
  RipChecked(0);
  RipChecked(0);
  EXPECT_EQ(progress_->RippedPaths(), std::vector<std::string>{Output() + "Track 01new3.wav"});
  EXPECT_TRUE(Exists(Output() + "Track 01new2.wav"));

  // Overwrite replaces what is on the disk, still never another track of the same job.
  option_->rbOverwrite->SetChecked(true);
  CheckRows({0, 1});
  RipChecked(0);
  EXPECT_EQ(progress_->RippedPaths(), (std::vector<std::string>{Output() + "Track 01.wav", Output() + "Track 01new.wav"}));
  EXPECT_EQ(TagsOf(Output() + "Track 01new.wav").album, "Second");
  EXPECT_EQ(TagsOf(Output() + "Track 01.wav").album, "Unknown");
}

TEST_F(RipJob, ARipThatFailsEndsTheJobWithItsReasonAndAPulledDiscIsReadAfterTheJob) {
  Open(kFiveTracks);
  // The output folder is gone: the file cannot be made.
  std::filesystem::remove_all(Output());
  CheckRows({0, 1});
  EXPECT_EQ(RipChecked(0, nullptr, "app_progress_failed"), "Close");
  EXPECT_NE(progress_->lbNow->Caption().find("Track 01 was not ripped"), std::string::npos)
      << progress_->lbNow->Caption();
  EXPECT_NE(progress_->lbNow->Caption().find("could not be written"), std::string::npos);
  EXPECT_EQ(main_->lbPlayInfo->Caption(), "Extract Stop");
  CreateDirectoryA(Output().c_str(), nullptr);

  main_->AudioCDRipper1.get()->put_driveSpeed(8);
  std::size_t tracksDuringTheJob = 0;
  const std::string ending = RipChecked(0, [&] {
    PutDisc("none");
    testkit::Send(*main_, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE);
    tracksDuringTheJob = context_.Tracks.Count();
  });
  EXPECT_EQ(tracksDuringTheJob, 5u) << "the lists stay while the job runs";
  // Whether the ripper still reads the rest depends on when it sees the disc go; the job
  // ends either way, and when it fails it says why.
  if (ending != "Extract Finished!") {
    EXPECT_EQ(ending, "Close");
    EXPECT_NE(progress_->lbNow->Caption().find("the disc was taken out or changed"), std::string::npos)
        << progress_->lbNow->Caption();
  }
  EXPECT_TRUE(testkit::WaitUntil([&] { return main_->lvCD->Items().Count() == 0; }, 10000));
  EXPECT_EQ(main_->lbCDType->Caption(), "No Disk");
  EXPECT_EQ(context_.Tracks.Count(), 0u);
}

TEST_F(RipJob, CddbCancelKeepsTheTitlesAndEditingTrackThreeChangesRowThreeOnly) {
  Open(kFiveTracks);
  EditRow(2, [&](app::TfrmEdit& edit) {
    EXPECT_EQ(edit.gbEdit->Caption(), "Information: Track 3");
    EXPECT_EQ(edit.cmbCategory->Items().Count(), 148);
    EXPECT_EQ(edit.cmbCategory->ItemIndex(), 1);
    edit.edtTitle->SetText("Third Hand");
    edit.edtArtist->SetText("Edited");
    edit.edtYear->SetText("1999");
    edit.cmbCategory->SetItemIndex(5);
    testkit::CaptureAndSave(edit, "app_edit");
  });
  EXPECT_EQ(RowTitles(), (std::vector<std::string>{"Track 01", "Track 02", "Third Hand", "Track 04", "Track 05"}));
  EXPECT_EQ(context_.Tracks.TrackArtists, (std::vector<std::string>{"Unknown", "Unknown", "Edited", "Unknown", "Unknown"}));
  EXPECT_EQ(context_.Tracks.TrackGenres[2], "5");
  EXPECT_EQ(context_.Tracks.TrackYears[2], "1999");
  EXPECT_EQ(main_->edtTitle->Text(), "Third Hand");
  EXPECT_EQ(main_->edtCategory->Text(), edit_->cmbCategory->Items()[5]);

  ServeTitles("Night Shift / Late Hours", {"Dusk", "Second Wind", "Ward", "Rounds", "Dawn"});
  GetCddb(ui::mrCancel);
  EXPECT_EQ(RowTitles()[2], "Third Hand");
  GetCddb(ui::mrOk);
  EXPECT_EQ(RowTitles(), (std::vector<std::string>{"Dusk", "Second Wind", "Ward", "Rounds", "Dawn"}));
  EXPECT_EQ(context_.Tracks.TrackGenres[2], "1");

  // A server that knows nothing: the warning, and the titles stay.
  RemoveCachedTitles();
  server_->SetBehaviour(CddbTestServer::Behaviour::CloseAtOnce);
  GetCddb(ui::mrCancel);
  EXPECT_EQ(RowTitles()[0], "Dusk");
}

TEST_F(RipJob, DuringALookUpTheWindowRepaintsButTakesNoInputAndCannotBeClosed) {
  Open(kFiveTracks);
  ServeTitles("Night Shift / Late Hours", {"Dusk", "Second Wind", "Ward", "Rounds", "Dawn"});
  CheckRows({0, 1});
  main_->lvCD->Items()[2]->SetSelected(true);
  // A second "Get CDDB", "Refresh" and "Rip Now", a key, a close request and a repaint, all
  // while the server keeps its answer back.
  const std::vector<Press> presses{PressAt(*main_->ToolButton2), PressAt(*main_->bRefresh),
                                   PressAt(*main_->bExtract)};
  HWND window = main_->Handle();
  HWND list = main_->lvCD->Handle();
  HWND keyTarget = GetFocus() ? GetFocus() : window;
  HCURSOR cursor = nullptr;
  bool repainted = false;
  server_->HoldAnswers(true);
  std::thread user([&] {
    if (server_->WaitForRequests(1)) {
      for (const Press& press : presses) {
        SetCursorPos(press.screen.x, press.screen.y);
        PostMessageA(press.window, WM_LBUTTONDOWN, MK_LBUTTON, press.at);
        PostMessageA(press.window, WM_LBUTTONUP, 0, press.at);
      }
      PostMessageA(keyTarget, WM_KEYDOWN, VK_SPACE, 1);
      SendMessageA(window, WM_CLOSE, 0, 0);
      InvalidateRect(list, nullptr, TRUE);
      const DWORD start = GetTickCount();
      while (!(repainted = !GetUpdateRect(list, nullptr, FALSE)) && GetTickCount() - start < 3000) Sleep(5);
      CURSORINFO shown{};
      shown.cbSize = sizeof shown;
      if (GetCursorInfo(&shown)) cursor = shown.hCursor;
    }
    server_->HoldAnswers(false);
  });
  // Whatever else would come up modal (a second question, "Please Select!", the progress
  // dialog) is answered too, so that a window that acts on the input ends all the same.
  testkit::ModalAnswer question(ui::mrCancel);
  testkit::ModalAnswer another(ui::mrCancel);
  testkit::ModalAnswer third(ui::mrCancel);
  testkit::Click(*main_->ToolButton2);
  user.join();
  testkit::Pump();

  EXPECT_EQ(question.Seen(), "Get CDDB Information!");
  EXPECT_FALSE(another.Answered()) << another.Seen();
  EXPECT_FALSE(third.Answered()) << third.Seen();
  EXPECT_EQ(server_->Requests().size(), 2u);  // one query and one read
  EXPECT_TRUE(IsWindowVisible(window) && IsWindowEnabled(window));
  EXPECT_FALSE(context_.Shared.Ripping);
  // "Refresh" would have read the rows again, none chosen.
  EXPECT_EQ(main_->lvCD->Selected(), main_->lvCD->Items()[2]);
  EXPECT_TRUE(repainted);
  EXPECT_EQ(cursor, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
  testkit::CaptureAndSave(*main_, "app_main_after_cddb_lookup");
}

TEST_F(RipJob, ADiscPulledDuringALookUpIsReadAfterItAndWhatWasFoundIsNotOffered) {
  Open(kFiveTracks);
  ServeTitles("Night Shift / Late Hours", {"Dusk", "Second Wind", "Ward", "Rounds", "Dawn"});
  HWND window = main_->Handle();
  std::size_t rowsDuring = 0;
  server_->HoldAnswers(true);
  std::thread system([&] {
    if (server_->WaitForRequests(1)) {
      PutDisc("none");
      SendMessageA(window, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0);
      rowsDuring = context_.Tracks.Count();
    }
    server_->HoldAnswers(false);
  });
  std::string said;
  testkit::ModalAnswer answer([&](ui::TForm& dialog) {
    if (auto* message = dynamic_cast<kiv::TfrmMsg*>(&dialog)) said = message->lbl->Caption();
    dialog.SetModalResult(ui::mrCancel);
  });
  testkit::Click(*main_->ToolButton2);
  system.join();
  EXPECT_EQ(rowsDuring, 5u) << "read in the middle of the look-up";
  EXPECT_EQ(said, "Now can not find this CD Information!");
  EXPECT_EQ(main_->lvCD->Items().Count(), 0);
  EXPECT_EQ(main_->lbCDType->Caption(), "No Disk");
}
