// The value checks of the output format set-up, the checked formats handed to the encoder, and
// the formats still pending after the driver opens.
#include "ripper/OutputFormats.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ValueChecks, SampleRatesOfTheSetAreKeptAnyOtherBecomes44100) {
    for (long hz : {6000L, 8000L, 11025L, 12000L, 16000L, 22050L, 24000L, 32000L, 44100L, 48000L, 88200L, 96000L}) {
        EXPECT_EQ(CheckSampleRate(hz), hz);
    }
    for (long hz : {0L, -44100L, 22000L, 44101L, 192000L, LONG_MIN, LONG_MAX}) {
        EXPECT_EQ(CheckSampleRate(hz), 44100) << hz;
    }
}

TEST(ValueChecks, BitratesOfTheSetAreKeptAnyOtherBecomesZero) {
    for (long kbps : {8L, 16L, 24L, 32L, 40L, 48L, 56L, 64L, 80L, 96L, 112L, 128L, 160L, 192L, 224L, 256L, 320L,
                      350L}) {
        EXPECT_EQ(CheckBitrate(kbps), kbps);
    }
    for (long kbps : {0L, 1L, 130L, 384L, -128L, 128000L}) {
        EXPECT_EQ(CheckBitrate(kbps), 0) << kbps;
    }
}

TEST(ValueChecks, ChannelsOtherThanMonoAreStereo) {
    EXPECT_EQ(CheckChannels(1), 1);
    EXPECT_EQ(CheckChannels(2), 2);
    for (long channels : {0L, 3L, 6L, -1L}) EXPECT_EQ(CheckChannels(channels), 2) << channels;
}

TEST(ValueChecks, StereoModesOutsideTwoToFourAreSimpleStereo) {
    for (long mode : {1L, 2L, 3L, 4L}) EXPECT_EQ(CheckStereoMode(mode), mode);
    for (long mode : {0L, 5L, 7L, -2L}) EXPECT_EQ(CheckStereoMode(mode), 1) << mode;
}

TEST(ValueChecks, CodingMethodsOutsideZeroToFourAreNone) {
    for (long method : {0L, 1L, 2L, 3L, 4L, -1L}) EXPECT_EQ(CheckCodingMethod(method), method);
    for (long method : {5L, 9L, -2L, 100L}) EXPECT_EQ(CheckCodingMethod(method), -1) << method;
}

TEST(CheckedFormats, Mp3WithAnUnknownBitrateAndThreeChannels) {
    const Mp3Format format = CheckedMp3Format(44100, 130, 3);
    EXPECT_EQ(format.frequency, 44100);
    EXPECT_EQ(format.bitrate, 0);
    EXPECT_EQ(format.channels, 2);
    EXPECT_EQ(CheckedMp3Format(22000, 128, 1).frequency, 44100);
}

TEST(CheckedFormats, OggChecksTheThreeBitratesAndKeepsSixteenBitsOfTheQuality) {
    const OggFormat format = CheckedOggFormat(48000, 1, 130, 64, 999, 70000);
    EXPECT_EQ(format.frequency, 48000);
    EXPECT_EQ(format.channels, 1);
    EXPECT_EQ(format.nominalBitrate, 0);
    EXPECT_EQ(format.minBitrate, 64);
    EXPECT_EQ(format.maxBitrate, 0);
    EXPECT_EQ(format.quality, 4464);
    EXPECT_EQ(CheckedOggFormat(44100, 2, 128, 0, 0, -1).quality, -1);
    EXPECT_EQ(CheckedOggFormat(44100, 2, 128, 0, 0, 40000).quality, 40000 - 65536);
}

TEST(DefaultFormats, AreWhatARipOfAnUnsetFormatUses) {
    EXPECT_EQ(kDefaultMp3Format.frequency, 44100);
    EXPECT_EQ(kDefaultMp3Format.bitrate, 128);
    EXPECT_EQ(kDefaultMp3Format.channels, 2);
    EXPECT_EQ(kDefaultWmaProfile, 24);
    EXPECT_EQ(kDefaultOggFormat.nominalBitrate, 128);
    EXPECT_EQ(kDefaultOggFormat.minBitrate, 0);
    EXPECT_EQ(kDefaultOggFormat.maxBitrate, 0);
    EXPECT_EQ(kDefaultOggFormat.quality, -1);
}

TEST(PendingFormats, EachFormatStaysPendingUntilItIsSetAndAgainAfterTheNextOpening) {
    PendingFormats pending;
    pending.clear(OutputFormat::Mp3);
    pending.clear(OutputFormat::Ogg);
    pending.setAll();
    EXPECT_TRUE(pending.pending(OutputFormat::Mp3));
    EXPECT_TRUE(pending.pending(OutputFormat::Wma));
    EXPECT_TRUE(pending.pending(OutputFormat::Ogg));

    pending.clear(OutputFormat::Wma);
    EXPECT_TRUE(pending.pending(OutputFormat::Mp3));
    EXPECT_FALSE(pending.pending(OutputFormat::Wma));
    EXPECT_TRUE(pending.pending(OutputFormat::Ogg));
    pending.clear(OutputFormat::Wma);
    EXPECT_FALSE(pending.pending(OutputFormat::Wma));
}
