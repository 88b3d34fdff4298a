// Following and steering a rip through the COM interface: progress, stopping, a second rip,
// the next rip started from the last one's end, and an output that cannot be written.
#include "RipTest.h"

#include "com/Bstr.h"

#include <algorithm>

namespace {

constexpr std::size_t kFrameBytes = 2352;

TEST_F(RipTest, ProgressRisesWithinZeroToHundredAndEndsAtHundred) {
    OpenDisc();
    Choose(BURST);
    ASSERT_TRUE(RipWav("progress"));
    const std::vector<LONG> progress = Arguments(kRipProgressEvent);
    ASSERT_GT(progress.size(), 10u);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_GE(progress.front(), 0);
    EXPECT_EQ(progress.back(), 100);
    EXPECT_EQ(std::count(progress.begin(), progress.end(), 100), 1) << "100 comes once, from the rip's end";
    for (const RipperEvent& event : ripper_->events()) EXPECT_EQ(event.thread, GetCurrentThreadId());
}

TEST_F(RipTest, StopRipMidRipLeavesAValidFileAndStillEndsAtHundred) {
    OpenDisc();
    Choose(PLAY);
    ASSERT_EQ(ripper_->get()->put_driveSpeed(4), S_OK);  // 86 ms a block: time to stop it
    StartRip(&IAudioCDRipper::RipTrackToWav, "stopped");
    ASSERT_TRUE(ripper_->pumpUntil(
        [&] {
            const std::vector<LONG> progress = Arguments(kRipProgressEvent);
            return !progress.empty() && progress.back() >= 20;
        },
        10000));
    ASSERT_EQ(ripper_->get()->StopRip(), S_OK);
    ASSERT_TRUE(WaitForRipOver());
    const riptest::WavContents wav = RippedWav("stopped");
    ASSERT_TRUE(wav.valid) << wav.problem;
    const auto frames = static_cast<std::uint32_t>(wav.data.size() / kFrameBytes);
    EXPECT_LT(frames, kTrackFrames);
    EXPECT_TRUE(wav.data == Track(frames));
    EXPECT_TRUE(ripper_->errors().empty());
}

TEST_F(RipTest, SecondRipWhileOneRunsIsRefusedAndTheFirstGoesOn) {
    OpenDisc();
    Choose(BURST);
    StartRip(&IAudioCDRipper::RipTrackToWav, "first");
    StartRip(&IAudioCDRipper::RipTrackToWav, "second");
    EXPECT_EQ(ripper_->errors(), (std::vector<LONG>{DRIVE_BUSY}));
    // Settings that change the reading are ignored meanwhile, without an error.
    ASSERT_EQ(ripper_->get()->put_driveSpeed(8), S_OK);
    ASSERT_TRUE(WaitForRipOver());
    EXPECT_EQ(Long(&IAudioCDRipper::get_driveSpeed), 64);
    EXPECT_TRUE(RippedWav("first").data == Track());
    EXPECT_EQ(GetFileAttributesA((OutputPath("second") + ".wav").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ripper_->errors(), (std::vector<LONG>{DRIVE_BUSY}));
}

TEST_F(RipTest, NextRipStartsFromTheLastOnesRipProgressHundred) {
    OpenDisc();
    Choose(BURST);
    // As the application does: the next track is started by the sink of the last RipProgress.
    bool started = false;
    const com::ptr<com::EventSink> sink =
        com::make<com::EventSink>(DIID__IAudioCDRipperEvents, [&](DISPID id, const DISPPARAMS& params) {
            if (id != kRipProgressEvent || started || params.rgvarg[0].lVal != 100) return;
            started = true;
            const com::bstr name = com::bstr::from_ansi(OutputPath("two"));
            ripper_->get()->RipTrackToWav(name.get());
        });
    com::Connection connection;
    ASSERT_EQ(connection.connect(ripper_->get(), DIID__IAudioCDRipperEvents, sink->identity()), S_OK);
    StartRip(&IAudioCDRipper::RipTrackToWav, "one");
    ASSERT_TRUE(ripper_->pumpUntil([&] { return RipsOver() == 2; }, 20000));
    EXPECT_TRUE(started);
    EXPECT_TRUE(RippedWav("one").data == Track());
    EXPECT_TRUE(RippedWav("two").data == Track());
    EXPECT_TRUE(ripper_->errors().empty());
}

TEST_F(RipTest, MissingOutputFolderIsAFileAccessErrorAndStartsNothing) {
    OpenDisc();
    Choose(BURST);
    StartRip(&IAudioCDRipper::RipTrackToWav, "no-such-folder\\track");
    EXPECT_EQ(ripper_->errors(), (std::vector<LONG>{FILE_ACCESS}));
    ripper_->pumpFor(300);
    EXPECT_TRUE(Arguments(kRipProgressEvent).empty());
    ASSERT_TRUE(RipWav("after")) << "a failed start leaves no rip running";
}

TEST_F(RipTest, StopRipOutsideARipDoesNothing) {
    OpenDisc();
    ASSERT_EQ(ripper_->get()->StopRip(), S_OK);
    EXPECT_TRUE(ripper_->events().empty());
}

}  // namespace

namespace {

// The rest of track 2 after a rip that was cut short, then a rip by a new object.
class ObjectLetGo : public RipTest {
protected:
    void StartSlowRip(const std::string& name) {
        Choose(PLAY);
        ASSERT_EQ(ripper_->get()->put_driveSpeed(8), S_OK);
        StartRip(&IAudioCDRipper::RipTrackToWav, name);
        // Under way means audio written, however long a loaded machine takes to get there.
        ASSERT_TRUE(ripper_->pumpUntil(
            [&] {
                const std::vector<LONG> progress = Arguments(kRipProgressEvent);
                return std::any_of(progress.begin(), progress.end(), [](LONG p) { return p > 0 && p < 100; });
            },
            10000));
    }
    void ExpectTheNextObjectRips() {
        ripper_.reset();
        ripper_.emplace();
        OpenAndRefresh();
        Choose(BURST);
        ASSERT_TRUE(RipWav("next"));
        EXPECT_TRUE(RippedWav("next").data == Track());
    }
};

TEST_F(ObjectLetGo, ApartmentLettingTheObjectGoMidRipStopsTheRipWithAValidFile) {
    OpenDisc();
    StartSlowRip("cut");
    CoDisconnectObject(ripper_->get(), 0);
    ripper_->release();
    // A worker's call under way keeps the object until it is answered; the object then goes on
    // this thread, once it serves its messages.
    ripper_->pumpUntil([&] { return RippedWav("cut").valid; }, 10000);
    const riptest::WavContents wav = RippedWav("cut");
    ASSERT_TRUE(wav.valid) << wav.problem;
    EXPECT_LT(wav.data.size(), kTrackFrames * kFrameBytes);
    EXPECT_TRUE(wav.data == Track(static_cast<std::uint32_t>(wav.data.size() / kFrameBytes)));
    ExpectTheNextObjectRips();
}

TEST_F(ObjectLetGo, RipHoldingTheLastReferenceEndsAndThenTheObjectGoes) {
    OpenDisc();
    // Without the media-check thread the worker's proxy is all that keeps the object.
    ASSERT_EQ(ripper_->get()->DriverClose(), S_OK);
    StartSlowRip("held");
    ripper_->release();
    // However slow the rip on a loaded machine, then the time the object takes to go after it.
    ripper_->pumpUntil([&] { return RippedWav("held").data.size() == Track().size(); }, 10000);
    ripper_->pumpFor(1500);
    const riptest::WavContents wav = RippedWav("held");
    ASSERT_TRUE(wav.valid) << wav.problem;
    EXPECT_TRUE(wav.data == Track());
    ExpectTheNextObjectRips();
}

}  // namespace
