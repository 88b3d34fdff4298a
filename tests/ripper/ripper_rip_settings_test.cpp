// The rip settings through the COM interface: what the properties keep, what a preset sets,
// what a rip sends the drive, and the media-changed gate in front of them.
#include "RipTest.h"

#include <algorithm>

namespace {

class RipSettings : public RipTest {
protected:
    void SetUp() override {
        RipTest::SetUp();
        OpenDisc();
    }
    IAudioCDRipper* Ripper() { return ripper_->get(); }
    bool Sent(const std::vector<std::string>& commands, const std::string& cdb) {
        return std::any_of(commands.begin(), commands.end(),
                           [&](const std::string& line) { return line.find("cdb=" + cdb) != std::string::npos; });
    }
};

TEST_F(RipSettings, DriveSpeedRoundsDownToSpeedsDrivesOffer) {
    const std::pair<LONG, LONG> cases[] = {{3, 2}, {7, 4}, {100, 64}, {0, 1}, {-3, 1}, {63, 60}, {4, 4}};
    for (const auto& [asked, kept] : cases) {
        ASSERT_EQ(Ripper()->put_driveSpeed(asked), S_OK);
        EXPECT_EQ(Long(&IAudioCDRipper::get_driveSpeed), kept) << asked;
    }
}

TEST_F(RipSettings, SpinUpTimeIsKeptWithinTenMinutes) {
    ASSERT_EQ(Ripper()->put_driveSpinUpTime(-5), S_OK);
    EXPECT_EQ(Long(&IAudioCDRipper::get_driveSpinUpTime), 0);
    ASSERT_EQ(Ripper()->put_driveSpinUpTime(700000), S_OK);
    EXPECT_EQ(Long(&IAudioCDRipper::get_driveSpinUpTime), 600000);
}

TEST_F(RipSettings, OnlyVariantTrueLocksTheTray) {
    VARIANT_BOOL lock = VARIANT_FALSE;
    ASSERT_EQ(Ripper()->put_driveLockCDTrayDuringRip(1), S_OK);
    ASSERT_EQ(Ripper()->get_driveLockCDTrayDuringRip(&lock), S_OK);
    EXPECT_EQ(lock, VARIANT_FALSE);
    ASSERT_EQ(Ripper()->put_driveLockCDTrayDuringRip(VARIANT_TRUE), S_OK);
    ASSERT_EQ(Ripper()->get_driveLockCDTrayDuringRip(&lock), S_OK);
    EXPECT_EQ(lock, VARIANT_TRUE);
}

TEST_F(RipSettings, RetriesOutsideZeroTo254AreRefusedAndKeepTheOldValue) {
    ASSERT_EQ(Ripper()->put_ripOnErrorRetries(254), S_OK);
    ASSERT_EQ(Ripper()->put_ripOnErrorRetries(255), S_OK);
    ASSERT_EQ(Ripper()->put_ripOnErrorRetries(-1), S_OK);
    EXPECT_EQ(ripper_->errors(), (std::vector<LONG>{INVALID_PARAM, INVALID_PARAM}));
    EXPECT_EQ(Long(&IAudioCDRipper::get_ripOnErrorRetries), 254);
}

TEST_F(RipSettings, PresetSetsSpeedSpinUpAndRetries) {
    struct Expected {
        RipModePresetConstants preset;
        LONG speed, spinUp, retries;
    };
    for (const Expected& expected : {Expected{PLAY, 32, 0, 5}, Expected{SYNCH, 24, 1000, 85},
                                     Expected{SECURE, 16, 3000, 85}, Expected{PARANOID, 1, 0, 85}}) {
        ASSERT_EQ(Ripper()->put_ripModePreset(expected.preset), S_OK);
        RipModePresetConstants preset = BURST;
        ASSERT_EQ(Ripper()->get_ripModePreset(&preset), S_OK);
        EXPECT_EQ(preset, expected.preset);
        EXPECT_EQ(Long(&IAudioCDRipper::get_driveSpeed), expected.speed) << expected.preset;
        EXPECT_EQ(Long(&IAudioCDRipper::get_driveSpinUpTime), expected.spinUp) << expected.preset;
        EXPECT_EQ(Long(&IAudioCDRipper::get_ripOnErrorRetries), expected.retries) << expected.preset;
    }
    EXPECT_TRUE(ripper_->errors().empty());
}

TEST_F(RipSettings, PlaySetsTheActionToSilenceOtherPresetsKeepIt) {
    RipActionOnErrorConstants action = StopRip;
    ASSERT_EQ(Ripper()->put_ripOnErrorAction(CUT), S_OK);
    ASSERT_EQ(Ripper()->put_ripModePreset(SECURE), S_OK);
    ASSERT_EQ(Ripper()->get_ripOnErrorAction(&action), S_OK);
    EXPECT_EQ(action, CUT);
    ASSERT_EQ(Ripper()->put_ripModePreset(PLAY), S_OK);
    ASSERT_EQ(Ripper()->get_ripOnErrorAction(&action), S_OK);
    EXPECT_EQ(action, SILENCE);
}

TEST_F(RipSettings, UnknownPresetIsRefusedAndLeavesTheDriveClosed) {
    ASSERT_EQ(Ripper()->put_ripModePreset(static_cast<RipModePresetConstants>(5)), S_OK);
    EXPECT_EQ(ripper_->errors(), (std::vector<LONG>{INVALID_PARAM}));
    EXPECT_EQ(Long(&IAudioCDRipper::get_cdID), 0) << "no drive open";
    ASSERT_EQ(Ripper()->put_ripModePreset(BURST), S_OK);
    EXPECT_NE(Long(&IAudioCDRipper::get_cdID), 0);
}

TEST_F(RipSettings, ExternalASPIReopensTheDrive) {
    ASSERT_EQ(Ripper()->put_ripUseExternalASPI(VARIANT_TRUE), S_OK);
    VARIANT_BOOL external = VARIANT_FALSE;
    ASSERT_EQ(Ripper()->get_ripUseExternalASPI(&external), S_OK);
    EXPECT_EQ(external, VARIANT_TRUE);
    EXPECT_NE(Long(&IAudioCDRipper::get_cdID), 0);
    EXPECT_TRUE(ripper_->errors().empty());
}

TEST_F(RipSettings, RipSetsTheSpeedAndHoldsTheTrayWhenAsked) {
    Choose(BURST);
    ASSERT_EQ(Ripper()->put_driveLockCDTrayDuringRip(VARIANT_TRUE), S_OK);
    Mark();
    ASSERT_TRUE(RipWav("locked"));
    const std::vector<std::string> commands = Commands();
    EXPECT_TRUE(Sent(commands, "BB 00 2C 05 2C 05")) << "64 x 176 + 5 KB/s";
    const auto prevent = std::find_if(commands.begin(), commands.end(), [](const std::string& line) {
        return line.find("cdb=1E 00 00 00 01") != std::string::npos;
    });
    const auto allow = std::find_if(commands.begin(), commands.end(), [](const std::string& line) {
        return line.find("cdb=1E 00 00 00 00") != std::string::npos;
    });
    ASSERT_NE(prevent, commands.end());
    ASSERT_NE(allow, commands.end());
    EXPECT_LT(prevent, allow);
}

TEST_F(RipSettings, UnlockedTrayIsLeftAloneByTheRip) {
    Choose(BURST);
    ASSERT_EQ(Ripper()->put_driveLockCDTrayDuringRip(VARIANT_FALSE), S_OK);
    Mark();
    ASSERT_TRUE(RipWav("unlocked"));
    EXPECT_FALSE(Sent(Commands(), "1E 00 00 00 01"));
}

TEST_F(RipSettings, AfterAMediaChangeSettingsAndRipsAreGated) {
    PutDisc("none");
    ASSERT_TRUE(ripper_->pumpUntil([&] { return ripper_->count(kMediaChangeEvent) > 0; }, 10000));
    LONG speed = -7;
    ASSERT_EQ(Ripper()->get_driveSpeed(&speed), S_OK);
    EXPECT_EQ(speed, -7) << "out value left unwritten";
    StartRip(&IAudioCDRipper::RipTrackToWav, "gated");
    EXPECT_EQ(ripper_->errors(), (std::vector<LONG>{MEDIA_CHANGED, MEDIA_CHANGED}));
}

}  // namespace
