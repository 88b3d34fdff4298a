// The application's windows where things go wrong, against the real ripper on a simulated
// drive: a disc pulled during a job, a drive that is not ready or does not answer, a rip that
// fails while it overwrites a file, an MP3 rip whose file cannot be written. Each time the user
// is told why, no file is lost, and the next rip works; a job ended early by Cancel or a pulled
// disc still tags every track it ripped whole, read back through the tag component.
#include "AppWindowsTest.h"

#include <filesystem>
#include <fstream>

#include "AspiClient.h"
#include "KIVDlg.h"
#include "TestFiles.h"
#include "WindowTestKit.h"

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string TextOf(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

class RipFaults : public AppWindowsTest {
 protected:
  // The drive of Open's five tracks again, with these keys: the host reloads it at once, as
  // a drive that starts to fail under the running program.
  void RedoDrive(const std::vector<std::pair<const char*, const char*>>& keys) {
    simdrive::ConfigText config = Config();
    config.Drive("0:1:0").Key("product", "SIMDRIVE CD-ROM").Key("disc", "album");
    for (const auto& [key, value] : keys) config.Key(key, value);
    config.Disc("album");
    for (int t = 0; t < 5; ++t) config.Track("audio 300");
    ASSERT_TRUE(simdrive::UseConfig(simdrive::ScratchPath("ripper-drives.ini"), config.Text()));
    ASSERT_NE(simdrive::AspiClient().SupportInfo(), 0u);
  }
  std::string Reason() const { return progress_->lbNow->Caption(); }
  // Waits until the rip of the job's track-th track (1-based) has reported audio read.
  void WaitForAudioOfTrack(std::size_t track) {
    EXPECT_TRUE(testkit::WaitUntil(
        [&] {
          const int percent = progress_->kivProgressBarNow->Position();
          return progress_->RippedPaths().size() == track && percent > 0 && percent < 100;
        },
        30000))
        << "track " << track << " never had audio";
  }
  // The first of the ripper's working files in the output folder, or nothing.
  std::string WorkingFiles() const {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((Output() + "rip*.tmp*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    FindClose(search);
    return Output() + found.cFileName;
  }
};

}  // namespace

TEST_F(RipFaults, ADiscPulledDuringAJobIsReadAgainAfterItSoTheWindowNeverShowsAGoneDisc) {
  Open({"audio 900", "audio 300", "audio 300"});
  main_->AudioCDRipper1.get()->put_driveSpeed(4);
  CheckRows({0, 1, 2});
  // No device message comes, as when the same disc is put back at once.
  EXPECT_EQ(RipChecked(0, [&] { PutDisc("none"); }), "Close");
  EXPECT_NE(Reason().find("Track 01 was not ripped: the disc was taken out or changed"), std::string::npos) << Reason();
  EXPECT_TRUE(testkit::WaitUntil([&] { return main_->lvCD->Items().Count() == 0; }, 20000))
      << "the rows of the disc that went are still shown";
  EXPECT_EQ(main_->lbCDType->Caption(), "No Disk");

  PutDisc("album");
  testkit::Click(*main_->bRefresh);
  ASSERT_EQ(main_->lvCD->Items().Count(), 3);
  main_->AudioCDRipper1.get()->put_driveSpeed(64);
  CheckRows({1});
  EXPECT_EQ(RipChecked(0), "Extract Finished!") << Reason();
}

TEST_F(RipFaults, ARipThatFailsOrIsCancelledWhenOverwritingKeepsTheFileItWouldHaveReplaced) {
  Open({"audio 900", "audio 300"});
  ChangeOptions([](app::TfrmOption& options) { options.cmbFilename->SetItemIndex(0); });
  option_->rbOverwrite->SetChecked(true);
  for (int format : {0, 1}) {
    SCOPED_TRACE(format);
    const std::string first = Output() + "Track 01." + (format == 0 ? "wav" : "mp3");
    std::ofstream(first) << "keep me";
    main_->AudioCDRipper1.get()->put_driveSpeed(4);
    CheckRows({0, 1});
    // Pulled once the rip has audio.
    EXPECT_EQ(RipChecked(format, [&] { WaitForAudioOfTrack(1); PutDisc("none"); }), "Close");
    EXPECT_NE(Reason().find("Track 01 was not ripped"), std::string::npos) << Reason();
    EXPECT_TRUE(TextOf(first) == "keep me") << "the file it would replace is gone";
    // The window reads the gone disc once the stopped rip has ended, which may be after the
    // dialog has closed; the disc goes back in after that, as in the test above.
    EXPECT_TRUE(testkit::WaitUntil([&] { return main_->lvCD->Items().Count() == 0; }, 20000));
    PutDisc("album");
    testkit::Click(*main_->bRefresh);

    CheckRows({0});
    RipChecked(format, [&] {
      WaitForAudioOfTrack(1);
      testkit::Click(*progress_->bCancel);
    });
    EXPECT_TRUE(testkit::WaitUntil([&] { return !Exists(WorkingFiles()); }, 10000)) << "the stopped rip never ended";
    EXPECT_TRUE(TextOf(first) == "keep me") << "the file it would replace is gone";
  }
}

TEST_F(RipFaults, ADriveThatIsNotReadyOrSilentEndsTheJobSayingSoAndTheNextRipWorks) {
  Open(std::vector<std::string>(5, "audio 300"));
  for (const char* fault : {"notready", "completion"}) {
    SCOPED_TRACE(fault);
    RedoDrive({{fault, std::string(fault) == "notready" ? "1-1000" : "never"}});
    CheckRows({0, 1});
    EXPECT_EQ(RipChecked(0), "Close");
    EXPECT_NE(Reason().find("Track 01 was not ripped: "), std::string::npos) << Reason();
    EXPECT_NE(Reason().find("the drive is not ready"), std::string::npos) << Reason();
    EXPECT_FALSE(Exists(progress_->RippedPaths().at(0)));
    EXPECT_TRUE(testkit::WaitUntil([&] { return main_->lvCD->Items().Count() == 0; }, 40000));

    RedoDrive({});
    testkit::Click(*main_->bRefresh);
    ASSERT_EQ(main_->lvCD->Items().Count(), 5);
    CheckRows({0});
    EXPECT_EQ(RipChecked(0), "Extract Finished!") << Reason();
  }
}

TEST_F(RipFaults, AnEncodedRipWhoseFileCannotBeWrittenSaysSoAndLosesNoFile) {
  Open({"audio 300", "audio 300"});
  ChangeOptions([](app::TfrmOption& options) { options.cmbFilename->SetItemIndex(0); });
  const std::string first = Output() + "Track 01.mp3";
  std::ofstream(first) << "keep me";
  SetFileAttributesA(first.c_str(), FILE_ATTRIBUTE_READONLY);
  std::filesystem::create_directory(Output() + "Track 02.mp3");

  option_->rbOverwrite->SetChecked(true);
  for (int row : {0, 1}) {
    CheckRows({row});
    EXPECT_EQ(RipChecked(1), "Close");
    EXPECT_NE(Reason().find("could not be written"), std::string::npos) << Reason();
  }
  EXPECT_TRUE(TextOf(first) == "keep me") << "the file it would replace is gone";
  // "Add new" goes round both.
  option_->rbAddNew->SetChecked(true);
  CheckRows({0, 1});
  EXPECT_EQ(RipChecked(1), "Extract Finished!") << Reason();
  EXPECT_EQ(progress_->RippedPaths(), (std::vector<std::string>{Output() + "Track 01new.mp3", Output() + "Track 02new.mp3"}));
  EXPECT_TRUE(TextOf(first) == "keep me") << "the file it would replace is gone";

  // The output folder gone, or a file in its place.
  SetFileAttributesA(first.c_str(), FILE_ATTRIBUTE_NORMAL);
  std::filesystem::remove_all(Output());
  for (int format : {1, 2}) {
    EXPECT_EQ(RipChecked(format), "Close");
    EXPECT_NE(Reason().find("the file " + Output() + "Track 01." + (format == 1 ? "mp3" : "ogg") + " could not be written"),
              std::string::npos)
        << Reason();
  }
  std::ofstream(Output().substr(0, Output().size() - 1)) << "not a folder";
  EXPECT_EQ(RipChecked(1), "Close");
  EXPECT_NE(Reason().find("could not be written"), std::string::npos) << Reason();
  std::filesystem::remove(Output().substr(0, Output().size() - 1));
  CreateDirectoryA(Output().c_str(), nullptr);
  EXPECT_EQ(RipChecked(1), "Extract Finished!") << Reason();
}

TEST_F(RipFaults, AJobEndedEarlyTagsEveryTrackRippedWholeButNotTheStoppedOne) {
  Open({"audio 300", "audio 300", "audio 3000"});
  main_->AudioCDRipper1.get()->put_driveSpeed(4);
  for (const bool pulled : {false, true}) {
    SCOPED_TRACE(pulled ? "a pulled disc" : "Cancel");
    CheckRows({0, 1, 2});
    // Ended once the third track has audio.
    RipChecked(0, [&] {
      WaitForAudioOfTrack(3);
      if (pulled) PutDisc("none");
      else testkit::Click(*progress_->bCancel);
    });
    const std::vector<std::string> paths = progress_->RippedPaths();
    ASSERT_EQ(paths.size(), 3u);
    for (int track : {1, 2}) {
      const FileTags tags = TagsOf(paths[track - 1]);
      EXPECT_TRUE(tags.opened) << track;
      EXPECT_EQ(tags.title, "Track 0" + std::to_string(track));
      EXPECT_EQ(tags.album, "Unknown");
      EXPECT_EQ(tags.year, 2003);
    }
    // The stopped rip lets its file go when it has ended, which may be after the dialog has closed.
    FileTags stopped;
    EXPECT_TRUE(testkit::WaitUntil([&] { return (stopped = TagsOf(paths[2])).opened; }, 10000))
        << "the stopped track's file cannot be read";
    EXPECT_EQ(stopped.title, "") << "the stopped track was tagged";
    if (pulled) {
      EXPECT_TRUE(testkit::WaitUntil([&] { return main_->lvCD->Items().Count() == 0; }, 20000));
      PutDisc("album");
      testkit::Click(*main_->bRefresh);
      ASSERT_EQ(main_->lvCD->Items().Count(), 3);
    }
  }
}
