// The output format set-up through the COM interface, with the registered ZEVAudioFile component
// as the ripper's encoder: what the AudioFile object is given (read back as its format text),
// the MP3 settings hand-over in both directions, the availability questions, and what a client
// is told when there is nothing to set the format on or nothing to take the settings from.
#include "RefusedClass.h"
#include "RipperTest.h"

#include "com/Bstr.h"
#include "com/LateBound.h"
#include "com/Variant.h"

#include "ZEVAudioFile.h"

#include <climits>
#include <string>

namespace {

class Formats : public RipperTest {
protected:
    void SetUp() override {
        RipperTest::SetUp();
        UseDisc({"audio 0:30"});
        ASSERT_EQ(ripper()->DriverOpen(), S_OK);
    }

    IAudioCDRipper* ripper() { return ripper_->get(); }

    std::wstring formatText() {
        com::bstr text;
        EXPECT_EQ(ripper()->get_trackFormatString(text.put()), S_OK);
        return std::wstring(text.view());
    }

    VARIANT_BOOL oggAvailable(long frequency, long channels, long nominal, long quality) {
        VARIANT_BOOL available = 7;
        EXPECT_EQ(ripper()->IsAvailableFormatOGG(static_cast<RipFrequencyConstants>(frequency),
                                                 static_cast<RipChannelsConstants>(channels),
                                                 static_cast<RipBitrateConstants>(nominal), BR_NONE, BR_NONE, quality,
                                                 &available),
                  S_OK);
        return available;
    }

    VARIANT_BOOL mp3Available(long frequency, long bitrate, long channels) {
        VARIANT_BOOL available = 7;
        EXPECT_EQ(ripper()->IsAvailableFormatMP3(static_cast<RipFrequencyConstants>(frequency),
                                                 static_cast<RipBitrateConstants>(bitrate),
                                                 static_cast<RipChannelsConstants>(channels), &available),
                  S_OK);
        return available;
    }

    // A member called as a script calls it, with the arguments it is given and the type
    // library's defaults for the rest.
    HRESULT callByName(const wchar_t* name) { return com::callMethod(ripper(), name); }
};

com::ptr<IAudioCDRipperLameMP3Encoder> NewSettings() {
    com::ptr<IAudioCDRipperLameMP3Encoder> settings;
    EXPECT_EQ(CoCreateInstance(CLSID_AudioCDRipperLameMP3Encoder, nullptr, CLSCTX_INPROC_SERVER,
                               IID_PPV_ARGS(settings.put())),
              S_OK);
    return settings;
}

ULONG References(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

}  // namespace

TEST_F(Formats, Mp3ValuesOutsideTheirSetsReachTheEncoderAsTheFallBackValues) {
    ASSERT_EQ(ripper()->SetFormatMP3(FQ_44_KHZ, static_cast<RipBitrateConstants>(130),
                                     static_cast<RipChannelsConstants>(3)),
              S_OK);
    EXPECT_EQ(formatText(), L"MP3 0 kbit/s 44100 Hz stereo");
    ASSERT_EQ(ripper()->SetFormatMP3(static_cast<RipFrequencyConstants>(22000), BR_96_KBPS, MONO), S_OK);
    EXPECT_EQ(formatText(), L"MP3 96 kbit/s 44100 Hz mono");
    ASSERT_EQ(ripper()->SetFormatMP3(FQ_22_KHZ, BR_64_KBPS, MONO), S_OK);
    EXPECT_EQ(formatText(), L"MP3 64 kbit/s 22050 Hz mono");
    // The set-up members speak only through their results.
    EXPECT_TRUE(ripper_->events().empty());
}

TEST_F(Formats, ArgumentsLeftOutTakeTheTypeLibraryDefaults) {
    ASSERT_EQ(ripper()->SetFormatMP3(FQ_8_KHZ, BR_8_KBPS, MONO), S_OK);
    ASSERT_EQ(callByName(L"SetFormatMP3"), S_OK);
    EXPECT_EQ(formatText(), L"MP3 128 kbit/s 44100 Hz stereo");
    ASSERT_EQ(callByName(L"SetFormatWMA"), S_OK);
    EXPECT_EQ(formatText(), L"WMA 128 kbit/s 44100 Hz stereo");
    ASSERT_EQ(callByName(L"SetFormatOGG"), S_OK);
    EXPECT_EQ(formatText(), L"Ogg Vorbis 128 kbit/s 44100 Hz stereo");
}

TEST_F(Formats, OggValuesAreCheckedAndItsQualityKeepsItsLowSixteenBits) {
    // 65541 is 65536 + 5: quality step 5.
    ASSERT_EQ(ripper()->SetFormatOGG(FQ_44_KHZ, STEREO, BR_128_KBPS, BR_NONE, BR_NONE, 65541), S_OK);
    EXPECT_EQ(formatText(), L"Ogg Vorbis quality 5 44100 Hz stereo");
    // 70000 keeps 4464, no quality step: the bitrates decide.
    ASSERT_EQ(ripper()->SetFormatOGG(FQ_44_KHZ, STEREO, BR_128_KBPS, BR_NONE, BR_NONE, 70000), S_OK);
    EXPECT_EQ(formatText(), L"Ogg Vorbis 128 kbit/s 44100 Hz stereo");
    ASSERT_EQ(ripper()->SetFormatOGG(static_cast<RipFrequencyConstants>(22000), static_cast<RipChannelsConstants>(0),
                                     static_cast<RipBitrateConstants>(100), BR_NONE, BR_NONE, -1),
              S_OK);
    EXPECT_EQ(formatText(), L"Ogg Vorbis 0 kbit/s 44100 Hz stereo");
    ASSERT_EQ(ripper()->SetFormatOGG(FQ_48_KHZ, MONO, BR_96_KBPS, BR_NONE, BR_NONE, -1), S_OK);
    EXPECT_EQ(formatText(), L"Ogg Vorbis 96 kbit/s 48000 Hz mono");
}

TEST_F(Formats, WmaProfileIsPassedAsGiven) {
    ASSERT_EQ(ripper()->SetFormatWMA(-7), S_OK);
    EXPECT_EQ(formatText(), L"WMA profile -7 (not in the profile table)");
    ASSERT_EQ(ripper()->SetFormatWMA(70000), S_OK);
    EXPECT_EQ(formatText(), L"WMA profile 70000 (not in the profile table)");
    ASSERT_EQ(ripper()->SetFormatWMA(16), S_OK);
    EXPECT_EQ(formatText(), L"WMA 24 kbit/s 22050 Hz mono");
}

TEST_F(Formats, AvailabilityIsAskedForTheCheckedValues) {
    EXPECT_EQ(mp3Available(44100, 128, 2), VARIANT_TRUE);
    // 22050 Hz MP3 goes no higher than 160 kbit/s; 22000 Hz is not a rate and is asked as 44100.
    EXPECT_EQ(mp3Available(22050, 320, 2), VARIANT_FALSE);
    EXPECT_EQ(mp3Available(22000, 320, 2), VARIANT_TRUE);
    EXPECT_EQ(mp3Available(44100, 130, 3), mp3Available(44100, 0, 2));
}

TEST_F(Formats, OggAvailabilityDoesNotDependOnTheQuality) {
    const VARIANT_BOOL answer = oggAvailable(44100, 2, 128, -1);
    EXPECT_EQ(answer, VARIANT_TRUE);
    for (long quality : {0L, 5L, 10L, 70000L, LONG_MIN, LONG_MAX}) {
        EXPECT_EQ(oggAvailable(44100, 2, 128, quality), answer) << quality;
    }
    EXPECT_EQ(oggAvailable(22000, 5, 128, 3), oggAvailable(44100, 2, 128, -1));
}

TEST_F(Formats, Mp3SettingsReachTheEncoderCheckedAndComeBackAsTheEncoderTookThem) {
    com::ptr<IAudioCDRipperLameMP3Encoder> settings = NewSettings();
    ASSERT_TRUE(settings);
    ASSERT_EQ(settings->put_TypeStereo(static_cast<RipLameTypeStereoContants>(7)), S_OK);
    ASSERT_EQ(settings->put_VbrCodingMethod(static_cast<RipLameVBRCodingMethod>(9)), S_OK);
    ASSERT_EQ(settings->put_Bitrate(BR_192_KBPS), S_OK);
    ASSERT_EQ(settings->put_Channels(MONO), S_OK);
    // Unchecked on the way in; the encoder keeps its qualities within 0..9.
    ASSERT_EQ(settings->put_EncoderQuality(12), S_OK);
    const ULONG references = References(settings.get());

    ASSERT_EQ(ripper()->SetFormatMP3Ex(settings.get()), S_OK);
    EXPECT_TRUE(ripper_->events().empty());
    EXPECT_EQ(formatText(), L"MP3 192 kbit/s 44100 Hz mono");
    RipLameTypeStereoContants typeStereo{};
    EXPECT_EQ(settings->get_TypeStereo(&typeStereo), S_OK);
    EXPECT_EQ(typeStereo, 1);
    RipLameVBRCodingMethod method{};
    EXPECT_EQ(settings->get_VbrCodingMethod(&method), S_OK);
    EXPECT_EQ(method, -1);
    short quality = 0;
    EXPECT_EQ(settings->get_EncoderQuality(&quality), S_OK);
    EXPECT_EQ(quality, 9);
    // The ripper keeps no reference to the caller's object.
    EXPECT_EQ(References(settings.get()), references);

    ASSERT_EQ(settings->SetParamsFromCommandLine(com::bstr(L"--abr 200 -m j --resample 32").get()), S_OK);
    ASSERT_EQ(ripper()->SetFormatMP3Ex(settings.get()), S_OK);
    // The average bitrate passes unchecked; the encoder takes the nearest MP3 bitrate.
    EXPECT_EQ(formatText(), L"MP3 ABR 192 kbit/s 32000 Hz joint stereo");
    short average = 0;
    EXPECT_EQ(settings->get_AbrBitrate(&average), S_OK);
    EXPECT_EQ(average, 192);
}

TEST_F(Formats, AMissingOrForeignSettingsObjectIsRefusedAndChangesNothing) {
    ASSERT_EQ(ripper()->SetFormatMP3(FQ_48_KHZ, BR_256_KBPS, STEREO), S_OK);
    ASSERT_EQ(ripper()->SetFormatMP3Ex(nullptr), S_OK);
    // Any interface answers QueryInterface in its first slot: the ripper object is no settings object.
    ASSERT_EQ(ripper()->SetFormatMP3Ex(reinterpret_cast<IAudioCDRipperLameMP3Encoder*>(ripper())), S_OK);
    EXPECT_EQ(ripper_->errors(), (std::vector<LONG>{INVALID_PARAM, INVALID_PARAM}));
    EXPECT_EQ(formatText(), L"MP3 256 kbit/s 48000 Hz stereo");
}

TEST_F(Formats, WithoutEncoderObjectsEveryFormatMemberReportsFormatNotSupported) {
    ASSERT_EQ(ripper()->DriverClose(), S_OK);
    com::ptr<IAudioCDRipperLameMP3Encoder> settings = NewSettings();
    for (bool reopened : {false, true}) {
        // Closed, the driver has let its encoder objects go; reopened, it found no component.
        const RefusedClass missing(CLSID_AudioFileLameMp3Encoder);
        ASSERT_TRUE(missing);
        if (reopened) {
            ASSERT_EQ(ripper()->DriverOpen(), S_OK);
        }
        ripper_->clearEvents();
        EXPECT_EQ(ripper()->SetFormatMP3(FQ_44_KHZ, BR_128_KBPS, STEREO), S_OK);
        EXPECT_EQ(ripper()->SetFormatMP3Ex(settings.get()), S_OK);
        EXPECT_EQ(ripper()->SetFormatWMA(24), S_OK);
        EXPECT_EQ(ripper()->SetFormatOGG(FQ_44_KHZ, STEREO, BR_128_KBPS, BR_NONE, BR_NONE, -1), S_OK);
        VARIANT_BOOL available = 7;
        EXPECT_EQ(ripper()->IsAvailableFormatMP3(FQ_44_KHZ, BR_128_KBPS, STEREO, &available), S_OK);
        EXPECT_EQ(ripper()->IsAvailableFormatOGG(FQ_44_KHZ, STEREO, BR_128_KBPS, BR_NONE, BR_NONE, -1, &available),
                  S_OK);
        EXPECT_EQ(available, 7);
        BSTR text = reinterpret_cast<BSTR>(0x5A5A);
        EXPECT_EQ(ripper()->get_trackFormatString(&text), S_OK);
        EXPECT_EQ(text, reinterpret_cast<BSTR>(0x5A5A));
        EXPECT_EQ(ripper_->errors(), std::vector<LONG>(7, FORMAT_NOT_SUPPORT)) << reopened;
    }
}
