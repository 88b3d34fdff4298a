// The ZEVAudioPlayer control through its registered server: the clock of the output (silent
// or, with TALVO_EXPECT_WAVEOUT set, a real wave-out device), the events a player window
// lives on, the equalizer and volume measured in what was played, and refusals.
#include "PlayerClient.h"

#include "com/SafeArray.h"
#include "com/Stream.h"
#include "outside/ZEVAudioPlayer/Equalizer.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <cmath>
#include <cstdlib>

using namespace outside_test;

namespace {

constexpr int kRate = 44100;
constexpr int kBlock = kRate / 5;  // 200 ms, as the player window reads

// The "Disco" preset of the player window: k x 3 / 11 dB.
std::vector<float> discoBands() {
  const int k[] = {-49, -1, 35, 29, 15, 0, 11, 19, 19, 17, 9, 0};
  std::vector<float> bands;
  for (int value : k) bands.push_back(value * 3.0f / 11.0f);
  return bands;
}

double db(double ratio) { return 20 * std::log10(ratio); }

class Player : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(client_); }

  // Feeds blocks of a continuing tone from every request, up to total frames.
  void feedTone(double frequency, double amplitude, int total) {
    client_.onRequest = [=, this] {
      const int frames = std::min(kBlock, total - static_cast<int>(fed_));
      client_.queue(frames > 0 ? sineFrames(frames, 2, frequency, amplitude, kRate, fed_) : std::vector<int16_t>());
      fed_ += std::max(frames, 0);
    };
  }

  std::vector<int16_t> newest(LONG count) {
    com::safearray samples;
    EXPECT_EQ(client_.player->GetDisplaySamples(count, samples.put()), S_OK);
    com::safearray_data<int16_t> data(samples.get());
    return std::vector<int16_t>(data.begin(), data.end());
  }

  // Plays a tone and measures its gain (dB) in what was played, once the filters settled.
  double playedGainDb(double frequency) {
    const double amplitude = 2000;
    fed_ = 0;
    feedTone(frequency, amplitude, kRate * 10);
    EXPECT_EQ(client_.player->Play(), S_OK);
    EXPECT_TRUE(client_.pumpUntil([&] { return client_.played() > kRate * 3 / 10; }, 3000));
    const double gain = db(sineAmplitude(newest(2 * 4096), 2, 0, frequency) / amplitude);
    client_.player->Stop();
    return gain;
  }

  PlayerClient client_;
  int64_t fed_ = 0;
};

}  // namespace

TEST_F(Player, OffersOneSourcePerWaveOutDeviceOrTheSilentOneAndRefusesOthers) {
  const UINT devices = waveOutGetNumDevs();
  if (std::getenv("TALVO_EXPECT_WAVEOUT")) {
    ASSERT_GE(devices, 1u) << "the ALSA null device did not reach Wine";
  }
  LONG count = 0;
  ASSERT_EQ(client_.player->get_SourceCount(&count), S_OK);
  EXPECT_EQ(count, std::max<LONG>(1, devices));
  // The player window probes one past the end: refused, the source before stays selected.
  EXPECT_EQ(client_.player->put_srcOutput(count - 1), S_OK);
  EXPECT_EQ(client_.player->put_srcOutput(count), E_INVALIDARG);
  EXPECT_EQ(client_.player->put_srcOutput(-1), E_INVALIDARG);
  LONG selected = -1;
  client_.player->get_srcOutput(&selected);
  EXPECT_EQ(selected, count - 1);
  VARIANT_BOOL usable = VARIANT_FALSE;
  ASSERT_EQ(client_.player->get_SourceUsable(&usable), S_OK);
  EXPECT_EQ(usable, VARIANT_TRUE);
}

// On a wave-out device the pace is the device's: ALSA's null device, the only one these
// machines have, takes the samples four times as fast as they play, so the run on it checks
// everything but the pace.
TEST_F(Player, PlaysAtRealTimeAsksForBlocksAndEndsOnceTheQueueDrains) {
  const bool silent = waveOutGetNumDevs() == 0;
  const int total = kRate * 3 / 2;
  feedTone(440, 8000, total);
  LONG frames = 0;
  ASSERT_EQ(client_.player->BlockSize(200, &frames), S_OK);
  EXPECT_EQ(frames, kBlock);
  ASSERT_EQ(client_.player->Play(), S_OK);
  PlayerStatusConstants status = PST_OUTPUT_FAILED;
  client_.player->get_PlayerStatus(&status);
  ASSERT_EQ(status, PST_OK);
  const double started = client_.seconds();
  EXPECT_EQ(client_.player->Play(), S_OK);  // again while playing: nothing new
  ASSERT_TRUE(client_.pumpUntil([&] { return client_.endPlays > 0; }, 5000));
  const double took = client_.seconds() - started;

  EXPECT_EQ(client_.played(), total);
  EXPECT_EQ(client_.blockEnds, (total + kBlock - 1) / kBlock);
  EXPECT_GE(client_.requests, 3);  // the queue was filled to half a second by requests
  EXPECT_EQ(client_.endPlays, 1);
  EXPECT_TRUE(client_.errors.empty());
  ASSERT_GE(client_.timers.size(), 4u);
  for (size_t i = 1; i < client_.timers.size(); ++i) EXPECT_GE(client_.timers[i].played, client_.timers[i - 1].played);
  EXPECT_NEAR(client_.timers[1].left, 8000, 20);
  EXPECT_NEAR(client_.timers[1].right, 8000, 20);
  if (silent) {
    // 1.5 s of audio takes 1.5 s, plus the output's latency; OnTimer every 50 ms, its
    // position moving at the rate of real time.
    EXPECT_GT(took, 1.45);
    EXPECT_LT(took, 1.9);
    ASSERT_GE(client_.timers.size(), 20u);
    const TimerEvent& first = client_.timers[5];
    const TimerEvent& last = client_.timers[client_.timers.size() - 3];
    EXPECT_NEAR((last.played - first.played) / (last.seconds - first.seconds), kRate, kRate * 0.05);
  }

  // Nothing more after the end; stopping a stopped player is harmless and keeps the count.
  const size_t timers = client_.timers.size();
  client_.pumpUntil([] { return false; }, 200);
  EXPECT_EQ(client_.timers.size(), timers);
  EXPECT_EQ(client_.player->Stop(), S_OK);
  EXPECT_EQ(client_.played(), total);
}

TEST_F(Player, EqualizerGivesEachBandItsGainAtItsCentreAndIsFlatWhenOff) {
  ASSERT_EQ(client_.setBands(discoBands()), S_OK);
  for (int band = 0; band < player::kBands; ++band) {
    EXPECT_NEAR(playedGainDb(player::bandCentres()[band]), discoBands()[band], 0.5) << "band " << band + 1;
  }
  ASSERT_EQ(client_.player->put_EqualizerEnabled(VARIANT_FALSE), S_OK);
  for (int band : {0, 2, 7}) EXPECT_NEAR(playedGainDb(player::bandCentres()[band]), 0.0, 0.1);
}

TEST_F(Player, VolumeAndMuteScaleWhatIsPlayed) {
  ASSERT_EQ(client_.player->put_srcVolume(32768), S_OK);
  EXPECT_NEAR(playedGainDb(1000), db(32768.0 / 65535), 0.05);
  ASSERT_EQ(client_.player->put_srcMute(VARIANT_TRUE), S_OK);
  feedTone(1000, 8000, kRate * 10);
  ASSERT_EQ(client_.player->Play(), S_OK);
  ASSERT_TRUE(client_.pumpUntil([&] { return client_.played() > kRate / 2; }, 3000));
  EXPECT_EQ(client_.timers.back().left, 0);
  EXPECT_EQ(client_.timers.back().right, 0);
  EXPECT_EQ(client_.player->put_srcVolume(65536), E_INVALIDARG);
}

TEST_F(Player, RefusesMalformedBlocksUnreadAndPlaysOnlyWhatWasTaken) {
  EXPECT_EQ(client_.player->Stop(), S_OK);  // while stopped: harmless
  SAFEARRAYBOUND square[2] = {{4, 0}, {4, 0}};
  com::safearray twoD(SafeArrayCreate(VT_I2, 2, square));
  com::safearray longs(SafeArrayCreateVector(VT_I4, 0, 8));
  com::safearray odd(SafeArrayCreateVector(VT_I2, 0, 7));
  for (com::safearray* block : {&twoD, &longs, &odd}) {
    EXPECT_EQ(client_.player->QueueBlock(*com::variant(std::move(*block)).get()), E_INVALIDARG);
  }
  EXPECT_EQ(client_.player->QueueBlock(*com::variant(42L).get()), E_INVALIDARG);
  std::vector<float> eleven(11, 1.0f), tooLoud(12, 30.0f);
  EXPECT_EQ(client_.setBands(eleven), E_INVALIDARG);
  EXPECT_EQ(client_.setBands(tooLoud), E_INVALIDARG);
  EXPECT_EQ(client_.player->SetFormat(3, kRate), E_INVALIDARG);

  // Only the good block plays; no request answered: the end comes after the player's patience.
  ASSERT_EQ(client_.queue(sineFrames(kBlock, 2, 440, 1000)), S_OK);
  ASSERT_EQ(client_.player->Play(), S_OK);
  EXPECT_EQ(client_.player->SetFormat(1, kRate), E_UNEXPECTED);
  ASSERT_TRUE(client_.pumpUntil([&] { return client_.endPlays > 0; }, 3000));
  EXPECT_EQ(client_.played(), kBlock);
  EXPECT_EQ(client_.blockEnds, 1);
}

TEST_F(Player, KeepsVolumeMuteAndEqualizerInItsStoredData) {
  client_.player->put_srcVolume(1234);
  client_.player->put_srcMute(VARIANT_TRUE);
  client_.player->put_EqualizerEnabled(VARIANT_FALSE);
  com::ptr<IStream> stream;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
  ASSERT_EQ(client_.player.query<IPersistStreamInit>()->Save(stream.get(), TRUE), S_OK);
  ASSERT_EQ(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr), S_OK);

  PlayerClient other;
  ASSERT_EQ(other.player.query<IPersistStreamInit>()->Load(stream.get()), S_OK);
  LONG volume = 0;
  VARIANT_BOOL mute = VARIANT_FALSE, equalizer = VARIANT_TRUE;
  other.player->get_srcVolume(&volume);
  other.player->get_srcMute(&mute);
  other.player->get_EqualizerEnabled(&equalizer);
  EXPECT_EQ(volume, 1234);
  EXPECT_EQ(mute, VARIANT_TRUE);
  EXPECT_EQ(equalizer, VARIANT_FALSE);
}
