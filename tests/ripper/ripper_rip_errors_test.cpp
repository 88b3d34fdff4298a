// Read errors in a rip through the COM interface: retried ones, and ones that stay, for each
// on-error action.
#include "RipTest.h"

#include <algorithm>

namespace {

constexpr std::size_t kFrameBytes = 2352;

TEST_F(RipTest, TransientErrorIsRetriedWithReloadsAndRipsExactly) {
    // Twelve failing reads of one block: the thirteenth attempt reads it.
    OpenDisc({"unreadable = 320-321 x12"});
    // A fixed read class: detection's test reads after each reload would use up the failures.
    ASSERT_EQ(ripper_->get()->put_driveReadType(CDRT_ATAPI2), S_OK);
    Choose(BURST);
    ASSERT_EQ(ripper_->get()->put_ripOnErrorRetries(20), S_OK);
    const int opensBefore = DriveOpens();
    ASSERT_TRUE(RipWav("transient"));
    EXPECT_TRUE(RippedWav("transient").data == Track());
    EXPECT_EQ(Arguments(kRipRetryEvent), (std::vector<LONG>{2, 1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 2}));
    EXPECT_EQ(DriveOpens() - opensBefore, 1 + 2) << "the rip's own open, and reloads at retries 1 and 10";
    EXPECT_TRUE(ripper_->errors().empty());
}

// Frames 300-301 of the disc stay unreadable: the 26-frame block of track 2 holding them
// begins at frame 276 (BURST reads small blocks for the track's first 50 frames, then 26).
class PersistentError : public RipTest {
protected:
    static constexpr std::size_t kBlockOffset = (276 - kTrackStart) * kFrameBytes;
    static constexpr std::size_t kBlockBytes = 26 * kFrameBytes;

    void Prepare(RipActionOnErrorConstants action, LONG retries) {
        OpenDisc({"unreadable = 300-301"});
        Choose(BURST);
        EXPECT_EQ(ripper_->get()->put_ripOnErrorRetries(retries), S_OK);
        EXPECT_EQ(ripper_->get()->put_ripOnErrorAction(action), S_OK);
    }
    std::vector<std::uint8_t> RipWith(RipActionOnErrorConstants action, LONG retries = 0) {
        Prepare(action, retries);
        return RipError();
    }
    std::vector<std::uint8_t> RipError() {
        // A rip that fails keeps a file it would replace: each one starts without it.
        DeleteFileA((OutputPath("error") + ".wav").c_str());
        EXPECT_TRUE(RipWav("error"));
        const riptest::WavContents wav = RippedWav("error");
        EXPECT_TRUE(wav.valid) << wav.problem;
        return wav.data;
    }
};

TEST_F(PersistentError, SilenceAndCorrectWriteOneBlockOfZeroSamples) {
    for (RipActionOnErrorConstants action : {SILENCE, CORRECT}) {
        std::vector<std::uint8_t> expected = Track();
        std::fill_n(expected.begin() + kBlockOffset, kBlockBytes, 0);
        EXPECT_TRUE(RipWith(action) == expected) << action;
        EXPECT_TRUE(ripper_->errors().empty());
        ripper_->get()->DriverClose();
        ripper_.reset();
    }
}

TEST_F(PersistentError, CutLeavesTheBlockOut) {
    std::vector<std::uint8_t> expected = Track();
    expected.erase(expected.begin() + kBlockOffset, expected.begin() + kBlockOffset + kBlockBytes);
    EXPECT_TRUE(RipWith(CUT) == expected);
}

TEST_F(PersistentError, StopRipEndsWithOperationFailedAndAValidShortFile) {
    const std::vector<std::uint8_t> audio = RipWith(StopRip, 1);
    EXPECT_TRUE(audio == Track(static_cast<std::uint32_t>(kBlockOffset / kFrameBytes)));
    const std::vector<RipperEvent>& events = ripper_->events();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[events.size() - 2].id, kErrorEvent);
    EXPECT_EQ(events[events.size() - 2].argument, OPERATION_FAILED);
    EXPECT_EQ(events.back().id, kRipProgressEvent);
    EXPECT_EQ(events.back().argument, 100);
    EXPECT_EQ(Arguments(kRipRetryEvent), (std::vector<LONG>{2}));
}

TEST_F(PersistentError, NoRetriesTriesOnceAndFiresNoRetry) {
    Prepare(CUT, 0);
    const int opensBefore = DriveOpens();
    RipError();
    EXPECT_TRUE(Arguments(kRipRetryEvent).empty());
    EXPECT_EQ(DriveOpens() - opensBefore, 1) << "no reload";
    const std::vector<std::string> commands = Commands();
    EXPECT_EQ(std::count_if(commands.begin(), commands.end(),
                            [](const std::string& line) {
                                return line.find("cdb=BE 00 00 00 01 14 00 00 1A") != std::string::npos;
                            }),
              1)
        << "one READ CD of the failing block (frame 276, 26 frames)";
}

}  // namespace
