// The media check through the COM interface: a disc pulled from the simulated drive or put back
// is reported once with MediaChange, fired on the object's thread from the media-check thread;
// a drive that is not ready only for a moment is no change; with no sink connected the thread
// still goes on after its events.
#include "MediaCheckTest.h"

namespace {

class MediaChange : public MediaCheckTest {};

TEST_F(MediaChange, RemovingTheDiscFiresMediaChangeOnceOnTheObjectsThread) {
    UseDisc({"audio 0:30"});
    OpenAndRefresh();
    PutDisc("none");
    ASSERT_TRUE(WaitForMediaChanges(1));
    ripper_->pumpFor(500);
    ASSERT_EQ(ripper_->events().size(), 1u);
    EXPECT_EQ(ripper_->events()[0].id, kMediaChangeEvent);
    EXPECT_EQ(ripper_->events()[0].thread, GetCurrentThreadId());
}

TEST_F(MediaChange, PuttingTheDiscBackFiresTheSecondChangeInOrder) {
    UseDisc({"audio 0:30"});
    OpenAndRefresh();
    PutDisc("none");
    ASSERT_TRUE(WaitForMediaChanges(1));
    PutDisc("album");
    ASSERT_TRUE(WaitForMediaChanges(2));
    ripper_->pumpFor(300);
    ASSERT_EQ(ripper_->events().size(), 2u);
    for (const RipperEvent& event : ripper_->events()) {
        EXPECT_EQ(event.id, kMediaChangeEvent);
        EXPECT_EQ(event.thread, GetCurrentThreadId());
    }
    // After Refresh the disc reads as before.
    ASSERT_EQ((*ripper_)->Refresh(), S_OK);
    EXPECT_EQ(Long(&IAudioCDRipper::get_trackCount), 1);
}

TEST_F(MediaChange, AMomentaryNotReadyIsNoChange) {
    UseDisc({"audio 0:30"});
    OpenAndRefresh();
    Mark();
    PutDisc("none");
    ASSERT_TRUE(ripper_->pumpUntil([&] { return SawNotReady(); }, 2000));
    PutDisc("album");
    ripper_->pumpFor(kRemovalSettles);
    EXPECT_TRUE(ripper_->events().empty());
    // The flag the tick set on the way was cleared again: members answer.
    EXPECT_EQ(Long(&IAudioCDRipper::get_trackCount), 1);
    EXPECT_TRUE(ripper_->events().empty());
}

TEST_F(MediaChange, WithoutASinkTheThreadGoesOnAfterItsEvents) {
    UseDisc({"audio 0:30"});
    // A client that connects no sink.
    com::ptr<IAudioCDRipper> bare;
    ASSERT_EQ(CoCreateInstance(CLSID_AudioCDRipper, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(bare.put())), S_OK);
    ASSERT_EQ(bare->DriverOpen(), S_OK);
    ASSERT_EQ(bare->Refresh(), S_OK);
    Mark();
    PutDisc("none");
    ASSERT_TRUE(ripper_->pumpUntil([&] { return SawNotReady(); }, 2000));
    ripper_->pumpFor(kRemovalSettles);
    // The removal was told to nobody; the thread came back and sees the disc return.
    Mark();
    PutDisc("album");
    ASSERT_TRUE(ripper_->pumpUntil(
        [&] {
            for (const std::string& command : Commands()) {
                if (command.find("cdb=43 ") != std::string::npos && command.find("status=01") != std::string::npos)
                    return true;
            }
            return false;
        },
        2000));
    EXPECT_EQ(bare->DriverClose(), S_OK);
}

}  // namespace
