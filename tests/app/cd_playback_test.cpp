// CD playback as the main window's buttons and play timer drive it, on a fake CD audio device,
// and the device-change decision by volume serial.
#include "CdPlayback.h"
#include "DiscSerial.h"
#include "FakeCdAudioDevice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace app;

namespace {

struct FakeView : CdPlaybackView {
  void SetPlayEnabled(bool e) override { play = e; }
  void SetStopEnabled(bool e) override { stop = e; }
  void SetPlayInfo(const std::string& t) override { info = t; }
  void SetPlayTimer(bool on) override { timer = on; }
  bool play = true, stop = false, timer = false;
  std::string info = "Stop";
};

struct Playback : ::testing::Test {
  FakeCdAudioDevice device;
  FakeView view;
  CdPlayback playback{device, view};
};

}  // namespace

TEST_F(Playback, TrackThreeShowsItsTimeAndStopsWhenTrackFourBegins) {
  playback.Play(2);
  EXPECT_EQ(device.calls, (std::vector<std::string>{"open", "play 3"}));
  EXPECT_TRUE(playback.Playing());
  EXPECT_EQ(playback.StartedTrack(), 3);
  EXPECT_TRUE(view.timer);

  device.position = {3, 0, 5, 12};
  playback.Tick(true);
  EXPECT_EQ(view.info, "Playing ...   [ Track  03 ]  00:05  ");
  EXPECT_FALSE(view.play);
  EXPECT_TRUE(view.stop);

  device.position = {4, 0, 0, 3};
  playback.Tick(false);
  EXPECT_EQ(view.info, "Stop ");
  EXPECT_FALSE(view.play);  // no row selected
  EXPECT_FALSE(view.stop);
  EXPECT_FALSE(view.timer);
  EXPECT_FALSE(playback.Playing());
  EXPECT_EQ(device.calls.back(), "stop");
  EXPECT_TRUE(device.open);  // the timer's stop leaves the device open
}

TEST_F(Playback, TheLastTrackPlayedToTheDiscsEndEndsLikeAnyOther) {
  playback.Play(25);  // a row past the disc's tracks plays the last one
  EXPECT_EQ(device.calls.back(), "play 10");
  device.position = {10, 3, 59, 0};
  playback.Tick(true);
  EXPECT_TRUE(view.stop);
  device.playing = false;  // the device ran off the end of the disc
  playback.Tick(true);
  EXPECT_EQ(view.info, "Stop ");
  EXPECT_TRUE(view.play);
  EXPECT_FALSE(view.stop);
  EXPECT_FALSE(view.timer);
  EXPECT_FALSE(playback.Playing());
}

TEST_F(Playback, StopButtonStopsEveryPlayAndClosesTheDevice) {
  playback.Play(0);
  playback.Stop();
  EXPECT_EQ(device.calls, (std::vector<std::string>{"open", "play 1", "stop cdaudio", "stop", "close"}));
  EXPECT_EQ(view.info, "Stop ");
  EXPECT_TRUE(view.play);
  EXPECT_FALSE(view.stop);
  EXPECT_FALSE(view.timer);
  EXPECT_EQ(playback.StartedTrack(), 0);
}

TEST_F(Playback, NoDeviceOrDiscWorkDoesNothingVisible) {
  device.present = false;
  playback.Play(0);
  EXPECT_FALSE(playback.Playing());
  EXPECT_FALSE(view.timer);
  playback.Tick(true);
  EXPECT_EQ(view.info, "Stop");
  playback.StopForDiscWork();
  EXPECT_EQ(device.calls, (std::vector<std::string>{"open"}));

  device.present = true;
  playback.Play(1);
  playback.StopForDiscWork();
  EXPECT_EQ(device.calls.back(), "close");
  EXPECT_FALSE(playback.Playing());
  EXPECT_FALSE(view.timer);
}

TEST_F(Playback, APlayThatNoLongerTellsItsPositionIsStoppedNotLeftSounding) {
  // The disc goes as the play starts: the device plays but cannot say where.
  device.tellsPosition = false;
  playback.Play(0);
  EXPECT_EQ(device.calls, (std::vector<std::string>{"open", "play 1", "stop", "close"}));
  EXPECT_FALSE(device.playing);
  EXPECT_FALSE(playback.Playing());
  EXPECT_FALSE(view.timer);

  // The disc goes while it plays.
  device.tellsPosition = true;
  playback.Play(2);
  device.tellsPosition = false;
  playback.Tick(true);
  EXPECT_FALSE(device.playing);
  EXPECT_EQ(view.info, "Stop ");
  EXPECT_TRUE(view.play);
  EXPECT_FALSE(view.stop);
  EXPECT_FALSE(view.timer);
}

TEST(DeviceChange, ReadsAgainOnlyForAnotherDiscOrWhenNoneIsKnown) {
  EXPECT_FALSE(DiscChanged("1234ABCD", "1234ABCD"));
  EXPECT_TRUE(DiscChanged("1234ABCE", "1234ABCD"));
  EXPECT_TRUE(DiscChanged("", "1234ABCD"));
  EXPECT_TRUE(DiscChanged("", ""));
  EXPECT_TRUE(DiscChanged("1234ABCD", ""));
}

TEST(DeviceChange, VolumeSerialsAreEightHexDigitsOrEmpty) {
  const std::string system = ReadVolumeSerial("C:");
  ASSERT_EQ(system.size(), 8u);
  EXPECT_EQ(system.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  EXPECT_EQ(ReadVolumeSerial(""), "");  // no letter never reads the current drive
  EXPECT_EQ(ReadVolumeSerial("Q:"), "");
}
