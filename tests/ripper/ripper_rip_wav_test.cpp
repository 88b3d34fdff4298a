// Ripping to WAV through the COM interface on the simulated drive: the file against the disc's
// known audio for every preset, and with a drive that jitters.
#include "RipTest.h"

namespace {

constexpr std::size_t kFrameBytes = 2352;

TEST_F(RipTest, EveryPresetRipsTheWholeTrackExactlyIntoAValidFile) {
    OpenDisc();
    for (RipModePresetConstants preset : {PLAY, BURST, SYNCH, SECURE, PARANOID}) {
        SCOPED_TRACE(preset);
        Choose(preset);
        const std::string name = "clean" + std::to_string(preset);
        ASSERT_TRUE(RipWav(name));
        const riptest::WavContents wav = RippedWav(name);
        EXPECT_EQ(riptest::CDAudioFormatProblem(wav), "");
        EXPECT_EQ(wav.data.size(), kTrackFrames * kFrameBytes) << "every frame, the last block too";
        EXPECT_TRUE(wav.data == Track()) << "ripped audio differs from the disc";
    }
    EXPECT_TRUE(ripper_->errors().empty());
}

struct JitterCase {
    RipModePresetConstants preset;
    const char* offsets;
};

class JitterCorrection : public RipTest, public ::testing::WithParamInterface<JitterCase> {};

TEST_P(JitterCorrection, CorrectingPresetsStillRipExactly) {
    OpenDisc({riptest::JitterOnCorrectedReads(GetParam().offsets)});
    Choose(GetParam().preset);
    ASSERT_TRUE(RipWav("jitter"));
    EXPECT_TRUE(RippedWav("jitter").data == Track()) << "jitter reached the file";
}

INSTANTIATE_TEST_SUITE_P(Presets, JitterCorrection,
                         ::testing::Values(JitterCase{SYNCH, "2, -1, 1, -2, 2, 0, -5"},
                                           JitterCase{SECURE, "-1, -2, 0, -3, -1"},
                                           JitterCase{PARANOID, "-1, -2, 0, -1, -2, -1"}));

TEST_F(RipTest, BurstDoesNotCorrectJitter) {
    OpenDisc({"jitter = 3"});
    Choose(BURST);
    ASSERT_TRUE(RipWav("burst"));
    const riptest::WavContents wav = RippedWav("burst");
    EXPECT_EQ(wav.data.size(), kTrackFrames * kFrameBytes);
    EXPECT_FALSE(wav.data == Track());
}

}  // namespace
