// Ripping to MP3, Ogg Vorbis and WMA through the COM interface, with the registered ZEVAudioFile
// component as the encoder: the files decode back (through its file control) to the track's
// audio within the codec's error and its whole frames, and the formats it cannot write, a default
// format it will not take, or a missing component, are refused before a rip starts.
#include "RefusedClass.h"
#include "RipTest.h"

#include "com/Object.h"
#include "com/Result.h"

#include "tests/outside/AudioFileClient.h"
#include "tests/outside/AudioTestSupport.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kSamplesPerFrame = 588;

// The registered AudioFile, except that it takes no format: every Set...Format fails, as an
// encoder's refusal of the format would.
class FormatRefusingAudioFile final : public com::Object<IAudioFile> {
public:
    explicit FormatRefusingAudioFile(com::ptr<IAudioFile> real) : real_(std::move(real)) {}

    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP SetMp3Format(LONG, LONG, LONG) override { return E_INVALIDARG; }
    STDMETHODIMP SetWmaParameter(LONG) override { return E_INVALIDARG; }
    STDMETHODIMP SetWmaProfile(LONG) override { return E_INVALIDARG; }
    STDMETHODIMP SetOggFormat(LONG, LONG, LONG, LONG, LONG, short) override { return E_INVALIDARG; }
    STDMETHODIMP SetMp3Encoder(IAudioFileLameMp3Encoder* encoder) override { return real_->SetMp3Encoder(encoder); }
    STDMETHODIMP IsMp3FormatAvailable(LONG rate, LONG bitrate, LONG channels, VARIANT_BOOL* available) override {
        return real_->IsMp3FormatAvailable(rate, bitrate, channels, available);
    }
    STDMETHODIMP IsOggFormatAvailable(LONG rate, LONG channels, LONG nominal, LONG low, LONG high,
                                      VARIANT_BOOL* available) override {
        return real_->IsOggFormatAvailable(rate, channels, nominal, low, high, available);
    }
    STDMETHODIMP GetFormatString(BSTR* format) override { return real_->GetFormatString(format); }
    STDMETHODIMP SetInputFormat(LONG rate, LONG channels) override { return real_->SetInputFormat(rate, channels); }
    STDMETHODIMP CreateOutputFile(BSTR name, LONG mode) override { return real_->CreateOutputFile(name, mode); }
    STDMETHODIMP GetOpenStatus(LONG* status) override { return real_->GetOpenStatus(status); }
    STDMETHODIMP WriteSamples(SAFEARRAY** samples) override { return real_->WriteSamples(samples); }
    STDMETHODIMP CloseFile() override { return real_->CloseFile(); }

private:
    com::ptr<IAudioFile> real_;
};

class EncodingRip : public RipTest {
protected:
    // The decoded file, as the player reads it.
    static outside_test::ControlReading Decoded(const std::string& name, const char* extension) {
        const std::string path = OutputPath(name) + extension;
        return outside_test::readThroughControl(std::wstring(path.begin(), path.end()));
    }

    // The signal-to-noise ratio of each channel of the decoded file against the first frames of
    // track 2.
    static void ExpectTrackAudio(const outside_test::ControlReading& reading, std::uint32_t frames) {
        const std::vector<std::uint8_t> bytes = Track(frames);
        std::vector<int16_t> source(bytes.size() / 2);
        std::memcpy(source.data(), bytes.data(), bytes.size());
        for (int channel : {0, 1})
            EXPECT_GT(outside_test::snrDb(source, 2, reading.pcm, 2, channel), 20) << "channel " << channel;
    }

    void ExpectOrderlyProgress() {
        const std::vector<LONG> progress = Arguments(kRipProgressEvent);
        ASSERT_FALSE(progress.empty());
        EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
        EXPECT_GE(progress.front(), 0);
        EXPECT_EQ(progress.back(), 100);
    }
};

struct Format {
    HRESULT (STDMETHODCALLTYPE IAudioCDRipper::*method)(BSTR);
    const char* extension;
    // Samples the decoded sound may run over the end of the track: WMA's last frame filled up,
    // and one more that completes it (frames of 2048 samples).
    int runOver;
};

class EveryFormat : public EncodingRip, public ::testing::WithParamInterface<Format> {};

TEST_P(EveryFormat, WholeTrackDecodesBackToItsAudio) {
    OpenDisc();
    Choose(BURST);
    ASSERT_TRUE(Rip(GetParam().method, "encoded"));
    EXPECT_TRUE(ripper_->errors().empty());
    ExpectOrderlyProgress();
    const outside_test::ControlReading reading = Decoded("encoded", GetParam().extension);
    EXPECT_EQ(reading.openError, 0);
    EXPECT_EQ(reading.formatA, 44100);
    EXPECT_EQ(reading.formatB, 2);
    const auto trackSamples = static_cast<LONG>(kTrackFrames * kSamplesPerFrame);
    EXPECT_GE(reading.totalSamples, trackSamples);
    EXPECT_LE(reading.totalSamples, trackSamples + GetParam().runOver);
    ExpectTrackAudio(reading, kTrackFrames);
}

TEST_P(EveryFormat, StoppedRipLeavesAFileOfWhatWasRead) {
    OpenDisc();
    Choose(PLAY);
    ASSERT_EQ(ripper_->get()->put_driveSpeed(4), S_OK);  // 86 ms a block: time to stop it
    StartRip(GetParam().method, "stopped");
    ASSERT_TRUE(ripper_->pumpUntil([&] { return ripper_->count(kRipProgressEvent) > 0; }, 10000));
    ASSERT_EQ(ripper_->get()->StopRip(), S_OK);
    ASSERT_TRUE(WaitForRipOver());
    const outside_test::ControlReading reading = Decoded("stopped", GetParam().extension);
    ASSERT_EQ(reading.openError, 0);
    const LONG ripped = reading.totalSamples - GetParam().runOver;
    EXPECT_GT(ripped, 0);
    EXPECT_LT(ripped, static_cast<LONG>(kTrackFrames * kSamplesPerFrame));
    ExpectTrackAudio(reading, static_cast<std::uint32_t>(ripped / kSamplesPerFrame));
    EXPECT_TRUE(ripper_->errors().empty());
}

INSTANTIATE_TEST_SUITE_P(Formats, EveryFormat,
                         ::testing::Values(Format{&IAudioCDRipper::RipTrackToMP3, ".mp3", 0},
                                           Format{&IAudioCDRipper::RipTrackToOGG, ".ogg", 0},
                                           Format{&IAudioCDRipper::RipTrackToWMA, ".wma", 2 * 2048}),
                         [](const auto& info) { return std::string(info.param.extension + 1); });

TEST_F(EncodingRip, DriverCloseMidRipEndsTheRipWithACompleteFile) {
    OpenDisc();
    Choose(PLAY);
    ASSERT_EQ(ripper_->get()->put_driveSpeed(4), S_OK);
    StartRip(&IAudioCDRipper::RipTrackToOGG, "closed");
    ASSERT_TRUE(ripper_->pumpUntil([&] { return ripper_->count(kRipProgressEvent) > 0; }, 10000));
    // The encoder is released by DriverClose: the rip must be over, and its file complete, first.
    ASSERT_EQ(ripper_->get()->DriverClose(), S_OK);
    EXPECT_EQ(RipsOver(), 1);
    const outside_test::ControlReading reading = Decoded("closed", ".ogg");
    ASSERT_EQ(reading.openError, 0);
    EXPECT_GT(reading.totalSamples, 0);
    ExpectTrackAudio(reading, static_cast<std::uint32_t>(reading.totalSamples / kSamplesPerFrame));
}

TEST_F(EncodingRip, ClientFormatStandsAndTheDefaultOnlyWhilePending) {
    OpenDisc();
    Choose(BURST);
    ASSERT_TRUE(Rip(&IAudioCDRipper::RipTrackToMP3, "default"));
    ASSERT_EQ(ripper_->get()->SetFormatMP3(FQ_44_KHZ, BR_64_KBPS, STEREO), S_OK);
    ASSERT_TRUE(Rip(&IAudioCDRipper::RipTrackToMP3, "smaller"));
    const auto size = [](const std::string& name) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExA((OutputPath(name) + ".mp3").c_str(), GetFileExInfoStandard, &data);
        return data.nFileSizeLow;
    };
    EXPECT_GT(size("smaller"), 0u);
    EXPECT_LT(size("smaller"), size("default") * 6 / 10) << "64 kbit/s against the default 128";
}

TEST_F(EncodingRip, FormatsSetUpByTheClientAreTheFilesFormats) {
    OpenDisc();
    Choose(BURST);
    com::ptr<IAudioCDRipperLameMP3Encoder> settings;
    ASSERT_EQ(CoCreateInstance(CLSID_AudioCDRipperLameMP3Encoder, nullptr, CLSCTX_INPROC_SERVER,
                               IID_PPV_ARGS(settings.put())),
              S_OK);
    ASSERT_EQ(settings->put_Frequency(FQ_32_KHZ), S_OK);
    ASSERT_EQ(settings->put_Channels(MONO), S_OK);
    ASSERT_EQ(ripper_->get()->SetFormatMP3Ex(settings.get()), S_OK);
    ASSERT_EQ(ripper_->get()->SetFormatOGG(FQ_48_KHZ, MONO, BR_96_KBPS, BR_NONE, BR_NONE, -1), S_OK);
    ASSERT_TRUE(Rip(&IAudioCDRipper::RipTrackToMP3, "client"));
    ASSERT_TRUE(Rip(&IAudioCDRipper::RipTrackToOGG, "client"));
    for (auto [extension, rate] : {std::pair{".mp3", 32000L}, std::pair{".ogg", 48000L}}) {
        const outside_test::ControlReading reading = Decoded("client", extension);
        ASSERT_EQ(reading.openError, 0) << extension;
        EXPECT_EQ(reading.formatA, rate) << extension;
        EXPECT_EQ(reading.formatB, 1) << extension;
    }
    EXPECT_TRUE(ripper_->errors().empty());
}

TEST_F(EncodingRip, FormatTheComponentCannotWriteIsRefused) {
    OpenDisc();
    Choose(BURST);
    ASSERT_EQ(ripper_->get()->SetFormatWMA(99), S_OK);  // no such profile
    StartRip(&IAudioCDRipper::RipTrackToWMA, "refused");
    EXPECT_EQ(ripper_->errors(), (std::vector<LONG>{FORMAT_NOT_SUPPORT}));
    ripper_->pumpFor(300);
    EXPECT_EQ(ripper_->count(kRipProgressEvent), 0);
    EXPECT_EQ(GetFileAttributesA((OutputPath("refused") + ".wma").c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(Rip(&IAudioCDRipper::RipTrackToOGG, "after")) << "nothing left running";
}

TEST_F(EncodingRip, DefaultFormatTheEncoderRefusesRefusesTheRip) {
    simdrive::ConfigText config = Config();
    config.Drive("0:1:0").Key("disc", "album").Disc("album").Track("audio 200").Track("audio 400");
    Use(config);
    com::ptr<IClassFactory> registered;
    ASSERT_EQ(CoGetClassObject(CLSID_AudioFile, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(registered.put())), S_OK);
    {
        const StandInClass refusing(CLSID_AudioFile, [&](REFIID iid, void** out) {
            com::ptr<IAudioFile> real;
            RETURN_IF_FAILED(registered->CreateInstance(nullptr, IID_PPV_ARGS(real.put())));
            return com::make<FormatRefusingAudioFile>(std::move(real))->QueryInterface(iid, out);
        });
        ASSERT_TRUE(refusing);
        ASSERT_EQ(ripper_->get()->DriverOpen(), S_OK);
    }
    ASSERT_EQ(ripper_->get()->Refresh(), S_OK);
    Choose(BURST);
    StartRip(&IAudioCDRipper::RipTrackToMP3, "refused");
    StartRip(&IAudioCDRipper::RipTrackToOGG, "refused");
    EXPECT_EQ(ripper_->errors(), std::vector<LONG>(2, FORMAT_NOT_SUPPORT));
    ripper_->pumpFor(300);
    EXPECT_EQ(ripper_->count(kRipProgressEvent), 0);
    for (const char* extension : {".mp3", ".ogg"})
        EXPECT_EQ(GetFileAttributesA((OutputPath("refused") + extension).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(EncodingRip, WithoutTheComponentEncodingRipsAreRefusedAndWavStillWorks) {
    simdrive::ConfigText config = Config();
    config.Drive("0:1:0").Key("disc", "album").Disc("album").Track("audio 200").Track("audio 400");
    Use(config);
    {
        const RefusedClass missing(CLSID_AudioFile);
        ASSERT_TRUE(missing);
        ASSERT_EQ(ripper_->get()->DriverOpen(), S_OK);
    }
    ASSERT_EQ(ripper_->get()->Refresh(), S_OK);
    Choose(BURST);
    for (RipMethod method : {&IAudioCDRipper::RipTrackToMP3, &IAudioCDRipper::RipTrackToWMA,
                             &IAudioCDRipper::RipTrackToOGG})
        StartRip(method, "missing");
    EXPECT_EQ(ripper_->errors(), std::vector<LONG>(3, FORMAT_NOT_SUPPORT));
    ASSERT_TRUE(RipWav("wav"));
    EXPECT_TRUE(RippedWav("wav").data == Track());
}

TEST_F(EncodingRip, SecondRipWhileAnEncodingRipRunsIsRefused) {
    OpenDisc();
    Choose(BURST);
    StartRip(&IAudioCDRipper::RipTrackToOGG, "first");
    StartRip(&IAudioCDRipper::RipTrackToMP3, "second");
    EXPECT_EQ(ripper_->errors(), (std::vector<LONG>{DRIVE_BUSY}));
    ASSERT_TRUE(WaitForRipOver());
    EXPECT_EQ(Decoded("first", ".ogg").totalSamples, static_cast<LONG>(kTrackFrames * kSamplesPerFrame));
}

}  // namespace
