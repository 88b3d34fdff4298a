// Calls by member name through IDispatch, and the MP3 settings hand-over between two objects that
// name the 22 settings alike: here two encoder settings objects of the registered server.
#include "ServerDll.h"
#include "com/Apartment.h"
#include "com/LateBound.h"
#include "com/Ptr.h"
#include "com/Variant.h"
#include "ripper/LameSettingsCopy.h"

#include "ZEVDiscRipper.h"

#include <olectl.h>

#include <gtest/gtest.h>

namespace {

class SettingsCopy : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ServerDll dll(L"ZEVDiscRipper.dll");
        ASSERT_TRUE(dll);
        ASSERT_EQ(dll.registerServer(), S_OK);
    }

    void SetUp() override {
        ASSERT_TRUE(apartment_);
        from_ = create();
        to_ = create();
        ASSERT_TRUE(from_ && to_);
    }

    static com::ptr<IDispatch> create() {
        com::ptr<IDispatch> object;
        EXPECT_EQ(CoCreateInstance(CLSID_AudioCDRipperLameMP3Encoder, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(object.put())),
                  S_OK);
        return object;
    }

    static LONG get(IDispatch* object, const wchar_t* name) {
        com::variant value;
        EXPECT_EQ(com::getProperty(object, name, value), S_OK) << name;
        EXPECT_EQ(value.change_type(VT_I4), S_OK) << name;
        return value.get()->lVal;
    }

    static void put(IDispatch* object, const wchar_t* name, LONG value) {
        EXPECT_EQ(com::putProperty(object, name, com::variant(value)), S_OK) << name;
    }

    com::apartment apartment_;
    com::ptr<IDispatch> from_;
    com::ptr<IDispatch> to_;
};

// A dispatch object that knows none of the settings.
com::ptr<IDispatch> stranger() {
    FONTDESC description{sizeof(FONTDESC), const_cast<LPOLESTR>(L"Arial"), {120000, 0}, FW_NORMAL,
                         ANSI_CHARSET, FALSE, FALSE, FALSE};
    com::ptr<IDispatch> font;
    EXPECT_EQ(OleCreateFontIndirect(&description, IID_IFontDisp, font.put_void()), S_OK);
    return font;
}

}  // namespace

TEST_F(SettingsCopy, MembersAreFoundByNameWithArgumentsInTheirOwnOrder) {
    EXPECT_EQ(com::callMethod(from_.get(), L"SetParamsFromCommandLine",
                              {com::variant(std::wstring_view(L"-b 192 -m j --lowpass 17"))}),
              S_OK);
    EXPECT_EQ(get(from_.get(), L"Bitrate"), 192);
    EXPECT_EQ(get(from_.get(), L"TypeStereo"), 2);
    EXPECT_EQ(get(from_.get(), L"LowPassFrequency"), 17500);
    // Optional arguments left out take the type library's defaults.
    EXPECT_EQ(com::callMethod(from_.get(), L"SetParamsFromPreset"), S_OK);
    EXPECT_EQ(get(from_.get(), L"Bitrate"), 128);
}

TEST_F(SettingsCopy, UnknownMembersAndMissingObjectsFail) {
    com::variant value;
    EXPECT_EQ(com::getProperty(from_.get(), L"NoSuchSetting", value), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(com::callMethod(from_.get(), L"NoSuchMethod"), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(com::putProperty(nullptr, L"Bitrate", com::variant(128L)), E_POINTER);
    EXPECT_EQ(com::callMethod(nullptr, L"SetParamsFromPreset"), E_POINTER);
}

TEST_F(SettingsCopy, ValuesOutsideTheirSetsArriveAsTheFallBackValues) {
    put(from_.get(), L"TypeStereo", 7);
    put(from_.get(), L"VbrCodingMethod", 9);
    put(from_.get(), L"Frequency", 22000);
    put(from_.get(), L"Bitrate", 130);
    put(from_.get(), L"VbrBitrate", 350);
    put(from_.get(), L"Channels", 3);
    ASSERT_EQ(CopyLameSettings(from_.get(), to_.get()), S_OK);
    EXPECT_EQ(get(to_.get(), L"TypeStereo"), 1);
    EXPECT_EQ(get(to_.get(), L"VbrCodingMethod"), -1);
    EXPECT_EQ(get(to_.get(), L"Frequency"), 44100);
    EXPECT_EQ(get(to_.get(), L"Bitrate"), 0);
    EXPECT_EQ(get(to_.get(), L"VbrBitrate"), 350);
    EXPECT_EQ(get(to_.get(), L"Channels"), 2);
}

TEST_F(SettingsCopy, TheOtherSettingsArriveAsTheyWere) {
    ASSERT_EQ(com::callMethod(from_.get(), L"SetParamsFromCommandLine",
                              {com::variant(std::wstring_view(L"--abr 200 --athshort --nores -d -e 3 -q 2 -p "
                                                              "--highpass 1 --highpass-width 2 --lowpass 15 "
                                                              "--lowpass-width 3 -noshort --strictly-enforce-ISO "
                                                              "-F -v 4 -t"))}),
              S_OK);
    ASSERT_EQ(CopyLameSettings(from_.get(), to_.get()), S_OK);
    const wchar_t* names[] = {L"AbrBitrate",       L"ATHControlMode",  L"BitReservoir",
                              L"BlockTypeControl", L"Emphasis",        L"EncoderQuality",
                              L"ErrorProtection",  L"HighPassFrequency", L"HighPassWidth",
                              L"LowPassFrequency", L"LowPassWidth",    L"ShortBlocks",
                              L"StrictISOCompliance", L"StrictlyEnforceMinBitrate", L"VbrQuality",
                              L"WritingVBRHeader", L"VbrCodingMethod"};
    for (const wchar_t* name : names) EXPECT_EQ(get(to_.get(), name), get(from_.get(), name)) << name;
    EXPECT_EQ(get(to_.get(), L"AbrBitrate"), 200);
    EXPECT_EQ(get(to_.get(), L"BitReservoir"), 0);
    EXPECT_EQ(get(to_.get(), L"HighPassFrequency"), 1500);
    EXPECT_EQ(get(to_.get(), L"WritingVBRHeader"), 0);
}

TEST_F(SettingsCopy, ASourceWithoutTheSettingsChangesNothing) {
    put(to_.get(), L"Bitrate", 320);
    EXPECT_EQ(CopyLameSettings(stranger().get(), to_.get()), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(get(to_.get(), L"Bitrate"), 320);
    EXPECT_EQ(get(to_.get(), L"VbrBitrate"), 192);
}

TEST_F(SettingsCopy, ATargetWithoutTheSettingsFails) {
    EXPECT_EQ(CopyLameSettings(from_.get(), stranger().get()), DISP_E_UNKNOWNNAME);
}
