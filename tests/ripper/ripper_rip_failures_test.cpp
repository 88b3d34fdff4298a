// Rips the drive cannot carry out, and rips ended from outside, through the COM interface: each
// ends with an Error naming why (none for a stop) and then RipProgress 100, as every rip ends,
// and none leaves the client waiting; a rip whose drive does not open ends with its Error alone
// and leaves the object free to rip and read the disc again.
#include "RipTest.h"

#include <algorithm>
#include <chrono>

namespace {

constexpr std::size_t kFrameBytes = 2352;

class RipFailure : public RipTest {
protected:
    // The events of the rip since it started end with Error(code) and then RipProgress 100.
    void ExpectEndedWith(LONG code) {
        EXPECT_EQ(ripper_->errors(), std::vector<LONG>{code});
        const std::vector<RipperEvent>& events = ripper_->events();
        ASSERT_GE(events.size(), 2u);
        EXPECT_EQ(events[events.size() - 2].id, kErrorEvent);
        EXPECT_EQ(events.back().id, kRipProgressEvent);
        EXPECT_EQ(events.back().argument, 100);
    }
    // A slow rip (PLAY at 4x, 86 ms a block) under way past `percent`.
    void RipSlowlyPast(LONG percent, const std::string& name) {
        Choose(PLAY);
        ASSERT_EQ(ripper_->get()->put_driveSpeed(4), S_OK);
        StartRip(&IAudioCDRipper::RipTrackToWav, name);
        ASSERT_TRUE(ripper_->pumpUntil(
            [&] {
                const std::vector<LONG> progress = Arguments(kRipProgressEvent);
                return !progress.empty() && progress.back() >= percent;
            },
            10000));
    }
    // The file holds a valid beginning of the track, shorter than the track.
    void ExpectCutShort(const std::string& name) {
        const riptest::WavContents wav = RippedWav(name);
        ASSERT_TRUE(wav.valid) << wav.problem;
        const auto frames = static_cast<std::uint32_t>(wav.data.size() / kFrameBytes);
        EXPECT_GT(frames, 0u);
        EXPECT_LT(frames, kTrackFrames);
        EXPECT_TRUE(wav.data == Track(frames));
    }
};

TEST_F(RipFailure, DiscTakenOutMidRipEndsWithMediaChangedWhateverTheOnErrorAction) {
    for (RipActionOnErrorConstants action : {CUT, SILENCE}) {
        OpenDisc();
        ASSERT_EQ(ripper_->get()->put_ripOnErrorAction(action), S_OK);
        RipSlowlyPast(20, "taken-out");
        PutDisc("none");
        ASSERT_TRUE(WaitForRipOver());
        ExpectEndedWith(MEDIA_CHANGED);
        ExpectCutShort("taken-out");
        EXPECT_EQ(RipsOver(), 1);
        ripper_->get()->DriverClose();
        ripper_.reset();
    }
}

TEST_F(RipFailure, DriveThatDoesNotOpenForTheRipLeavesTheNextRipAndRefreshToWork) {
    OpenDisc();
    Choose(BURST);
    TakeDriveAway(1);
    StartRip(&IAudioCDRipper::RipTrackToWav, "unopened");
    ASSERT_TRUE(ripper_->pumpUntil([&] { return !ripper_->errors().empty(); }, 10000));
    EXPECT_EQ(ripper_->errors(), std::vector<LONG>{DRIVE_BUSY});
    EXPECT_EQ(ripper_->count(kRipProgressEvent), 0);

    StartRip(&IAudioCDRipper::RipTrackToWav, "next");
    ASSERT_EQ(ripper_->errors(), std::vector<LONG>{DRIVE_BUSY}) << "the next rip is not refused";
    ASSERT_TRUE(WaitForRipOver());
    EXPECT_TRUE(RippedWav("next").data == Track());
    Mark();
    ASSERT_EQ(ripper_->get()->Refresh(), S_OK);
    const std::vector<std::string> commands = Commands();
    EXPECT_TRUE(std::any_of(commands.begin(), commands.end(),
                            [](const std::string& command) { return command.find(" cdb=43 ") != std::string::npos; }))
        << "the table of contents read again";
    EXPECT_EQ(Long(&IAudioCDRipper::get_trackCount), 3);
    EXPECT_EQ(ripper_->errors(), std::vector<LONG>{DRIVE_BUSY});
}

TEST_F(RipFailure, DriveNotReadyAtTheStartEitherRipsTheTrackOrSaysWhy) {
    OpenDisc({"notready = 1-40"});
    Choose(BURST);
    ASSERT_TRUE(RipWav("not-ready"));
    const riptest::WavContents wav = RippedWav("not-ready");
    if (ripper_->errors().empty()) {
        EXPECT_TRUE(wav.data == Track());
    } else {
        ExpectEndedWith(MEDIA_CHANGED);
    }
}

TEST_F(RipFailure, DriveThatNeverAnswersEndsTheRipWithTimeoutAndDriverCloseReturns) {
    OpenDisc({"completion = never"});
    Choose(BURST);
    StartRip(&IAudioCDRipper::RipTrackToWav, "silent-drive");
    ASSERT_TRUE(WaitForRipOver(60000));
    ExpectEndedWith(TIMEOUT);
    const auto closing = std::chrono::steady_clock::now();
    EXPECT_EQ(ripper_->get()->DriverClose(), S_OK);
    EXPECT_LT(std::chrono::steady_clock::now() - closing, std::chrono::seconds(30));
}

TEST_F(RipFailure, DriverCloseMidRipEndsItAsAStopWithRipProgressHundred) {
    OpenDisc();
    RipSlowlyPast(20, "closed");
    ASSERT_EQ(ripper_->get()->DriverClose(), S_OK);
    ripper_->pumpFor(200);
    EXPECT_EQ(RipsOver(), 1);
    EXPECT_TRUE(ripper_->errors().empty());
    ExpectCutShort("closed");
}

TEST_F(RipFailure, StopRipEndsALongSpinUp) {
    OpenDisc();
    Choose(BURST);
    ASSERT_EQ(ripper_->get()->put_driveSpinUpTime(600000), S_OK);
    StartRip(&IAudioCDRipper::RipTrackToWav, "spinning");
    ripper_->pumpFor(500);
    ASSERT_EQ(ripper_->get()->StopRip(), S_OK);
    ASSERT_TRUE(WaitForRipOver(10000));
    EXPECT_TRUE(ripper_->errors().empty());
    const auto closing = std::chrono::steady_clock::now();
    EXPECT_EQ(ripper_->get()->DriverClose(), S_OK);
    EXPECT_LT(std::chrono::steady_clock::now() - closing, std::chrono::seconds(10));
}

}  // namespace
