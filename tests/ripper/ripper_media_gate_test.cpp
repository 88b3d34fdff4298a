// What a media change holds back, and what holds the media check back: after a change every
// member fails with MEDIA_CHANGED until Refresh; drives on the skip list are never checked;
// DriverClose ends the thread even in the middle of a change.
#include "MediaCheckTest.h"

#include "com/Bstr.h"

#include "TestFiles.h"

namespace {

constexpr LONG kUnwritten = -12345;

class MediaGate : public MediaCheckTest {};

TEST_F(MediaGate, AfterAChangeEveryMemberFailsWithMediaChangedUntilRefresh) {
    UseDisc({"audio 0:30", "audio 0:20"});
    OpenAndRefresh();
    PutDisc("none");
    ASSERT_TRUE(WaitForMediaChanges(1));
    ripper_->clearEvents();

    IAudioCDRipper* ripper = ripper_->get();
    int calls = 0;
    for (auto getter : {&IAudioCDRipper::get_driveNum, &IAudioCDRipper::get_driveCount, &IAudioCDRipper::get_cdID,
                        &IAudioCDRipper::get_trackNum, &IAudioCDRipper::get_trackCount,
                        &IAudioCDRipper::get_trackDuration, &IAudioCDRipper::get_trackSamples}) {
        EXPECT_EQ(Long(getter), kUnwritten) << calls;
        ++calls;
    }
    for (auto getter : {&IAudioCDRipper::get_driveLetter, &IAudioCDRipper::get_driveName}) {
        BSTR text = reinterpret_cast<BSTR>(1);
        EXPECT_EQ((ripper->*getter)(&text), S_OK);
        EXPECT_EQ(text, reinterpret_cast<BSTR>(1));
        ++calls;
    }
    ReadTypeConstants type = static_cast<ReadTypeConstants>(kUnwritten);
    EXPECT_EQ(ripper->get_driveReadType(&type), S_OK);
    EXPECT_EQ(type, static_cast<ReadTypeConstants>(kUnwritten));
    CDDiskTypeConstants disc = static_cast<CDDiskTypeConstants>(kUnwritten);
    EXPECT_EQ(ripper->get_cdType(&disc), S_OK);
    EXPECT_EQ(disc, static_cast<CDDiskTypeConstants>(kUnwritten));
    EXPECT_EQ(ripper->put_driveNum(1), S_OK);
    EXPECT_EQ(ripper->put_driveReadType(CDRT_READ10), S_OK);
    EXPECT_EQ(ripper->put_trackNum(2), S_OK);
    EXPECT_EQ(ripper->Eject(), S_OK);
    calls += 6;
    EXPECT_EQ(ripper_->errors(), std::vector<LONG>(calls, MEDIA_CHANGED));

    // Refresh is not gated; with the disc back it lifts the gate.
    PutDisc("album");
    ripper_->clearEvents();
    ASSERT_EQ(ripper->Refresh(), S_OK);
    EXPECT_EQ(Long(&IAudioCDRipper::get_trackCount), 2);
    EXPECT_EQ(Long(&IAudioCDRipper::get_trackNum), 1);
    EXPECT_EQ(ripper_->count(kErrorEvent), 0);
}

TEST_F(MediaGate, DriverOpenAgainStartsCleanAfterAChange) {
    UseDisc({"audio 0:30"});
    OpenAndRefresh();
    PutDisc("none");
    ASSERT_TRUE(WaitForMediaChanges(1));
    ripper_->clearEvents();
    // Neither the change nor the drive the first DriverOpen's Refresh opened stand in the way.
    ASSERT_EQ((*ripper_)->DriverOpen(), S_OK);
    EXPECT_TRUE(ripper_->events().empty());
    PutDisc("album");
    ASSERT_EQ((*ripper_)->Refresh(), S_OK);
    EXPECT_EQ(Long(&IAudioCDRipper::get_trackCount), 1);
    EXPECT_TRUE(ripper_->events().empty());
}

TEST_F(MediaGate, DrivesOnTheSkipListAreNeverChecked) {
    simdrive::ConfigText config = Config();
    config.Drive("1:0:0").Key("vendor", "HP").Key("product", "CD-Writer+ 8100").Key("revision", "1.0g");
    config.Key("disc", "album").Disc("album").Track("audio 0:30");
    Use(config);
    OpenAndRefresh();
    BSTR name = nullptr;
    ASSERT_EQ((*ripper_)->get_driveName(&name), S_OK);
    EXPECT_EQ(com::to_ansi(name), "HP      , CD-Writer+ 8100  v1.0g (1:0:0)");
    SysFreeString(name);
    simdrive::WriteTextFile(simdrive::ScratchPath("ripper-control.txt"), "1:0:0 = none\n");
    ripper_->pumpFor(1500);
    EXPECT_TRUE(ripper_->events().empty());
    // Selecting the drive again puts it back under the check.
    (*ripper_)->put_driveNum(1);
    ASSERT_TRUE(WaitForMediaChanges(1));
}

TEST_F(MediaGate, DriverCloseEndsTheThreadInTheMiddleOfAChange) {
    UseDisc({"audio 0:30"});
    OpenAndRefresh();
    Mark();
    PutDisc("none");
    ASSERT_TRUE(ripper_->pumpUntil([&] { return SawNotReady(); }, 2000));
    // The change is being handled now: the drive is reloaded and its TOC tried again and again.
    ripper_->pumpFor(800);
    const DWORD begun = GetTickCount();
    ASSERT_EQ((*ripper_)->DriverClose(), S_OK);
    EXPECT_LT(GetTickCount() - begun, 1500u);
    Mark();
    ripper_->pumpFor(500);
    EXPECT_TRUE(Commands().empty());
    EXPECT_TRUE(ripper_->events().empty());
}

}  // namespace
