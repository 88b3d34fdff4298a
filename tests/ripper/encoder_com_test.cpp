// The AudioCDRipperLameMP3Encoder object through its registered server: registration, creation
// by ProgID and CLSID, vtable and late-bound calls, and the ZEVDiscRipper type library.
#include "ServerDll.h"
#include "com/Apartment.h"
#include "com/Bstr.h"
#include "com/Ptr.h"
#include "com/Variant.h"

#include "ZEVDiscRipper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const wchar_t kProgId[] = L"ZEVDiscRipper.AudioCDRiperLameMP3Encoder.1";
const wchar_t kIndependentProgId[] = L"ZEVDiscRipper.AudioCDRiperLameMP3Encoder";

class Encoder : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ServerDll dll(L"ZEVDiscRipper.dll");
        ASSERT_TRUE(dll);
        ASSERT_EQ(dll.registerServer(), S_OK);
    }

    void SetUp() override {
        ASSERT_TRUE(apartment_);
        ASSERT_EQ(CoCreateInstance(CLSID_AudioCDRipperLameMP3Encoder, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(encoder_.put())),
                  S_OK);
        dispatch_ = encoder_.query<IDispatch>();
        ASSERT_TRUE(dispatch_);
    }

    DISPID idOf(const wchar_t* name) {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        EXPECT_EQ(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << name;
        return id;
    }

    // A script's property read: by name, DISPATCH_PROPERTYGET, no arguments.
    com::variant getByName(const wchar_t* name) {
        com::variant result;
        DISPPARAMS none{};
        EXPECT_EQ(dispatch_->Invoke(idOf(name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                    result.put(), nullptr, nullptr),
                  S_OK)
            << name;
        return result;
    }

    HRESULT putByName(const wchar_t* name, com::variant value) {
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params{value.get(), &named, 1, 1};
        return dispatch_->Invoke(idOf(name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                                 nullptr, nullptr, nullptr);
    }

    HRESULT callByName(const wchar_t* name, std::vector<com::variant> reversedArguments) {
        DISPPARAMS params{reversedArguments.empty() ? nullptr : reversedArguments[0].get(), nullptr,
                          static_cast<UINT>(reversedArguments.size()), 0};
        return dispatch_->Invoke(idOf(name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                                 nullptr, nullptr);
    }

    LONG getLong(const wchar_t* name) {
        com::variant v = getByName(name);
        EXPECT_EQ(v.change_type(VT_I4), S_OK);
        return v.get()->lVal;
    }

    com::apartment apartment_;
    com::ptr<IAudioCDRipperLameMP3Encoder> encoder_;
    com::ptr<IDispatch> dispatch_;
};

struct Property {
    const wchar_t* name;
    DISPID id;
    LONG creation;
};

const Property kProperties[] = {
    {L"VbrBitrate", 4, 192},        {L"VbrQuality", 5, 7},          {L"VbrCodingMethod", 6, -1},
    {L"AbrBitrate", 7, 128},        {L"TypeStereo", 8, 1},          {L"EncoderQuality", 9, 5},
    {L"WritingVBRHeader", 10, 1},   {L"BitReservoir", 11, 1},       {L"BlockTypeControl", 12, 0},
    {L"ShortBlocks", 13, 1},        {L"Emphasis", 14, 0},           {L"StrictISOCompliance", 15, 0},
    {L"StrictlyEnforceMinBitrate", 16, 0}, {L"ATHControlMode", 17, 0}, {L"LowPassFrequency", 18, -1},
    {L"HighPassFrequency", 19, -1}, {L"LowPassWidth", 20, 0},       {L"HighPassWidth", 21, 0},
    {L"ErrorProtection", 22, 0},    {L"Frequency", 23, 44100},      {L"Channels", 24, 2},
    {L"Bitrate", 25, 128},
};

TEST_F(Encoder, CreatedByBothProgIdsAndByClsid) {
    for (const wchar_t* progId : {kProgId, kIndependentProgId}) {
        CLSID clsid{};
        ASSERT_EQ(CLSIDFromProgID(progId, &clsid), S_OK) << progId;
        EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_AudioCDRipperLameMP3Encoder));
        com::ptr<IDispatch> byProgId;
        EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_PPV_ARGS(byProgId.put())), S_OK);
    }
    // One identity for every interface of the object.
    com::ptr<IUnknown> a = encoder_.query<IUnknown>();
    com::ptr<IUnknown> b = dispatch_.query<IUnknown>();
    EXPECT_EQ(a, b);
    EXPECT_FALSE(encoder_.query<IConnectionPointContainer>());
}

TEST_F(Encoder, CreationValuesThroughBothBindings) {
    RipBitrateConstants bitrate{};
    EXPECT_EQ(encoder_->get_VbrBitrate(&bitrate), S_OK);
    EXPECT_EQ(bitrate, 192);
    RipFrequencyConstants frequency{};
    EXPECT_EQ(encoder_->get_Frequency(&frequency), S_OK);
    EXPECT_EQ(frequency, 44100);
    LONG lowPass = 0;
    EXPECT_EQ(encoder_->get_LowPassFrequency(&lowPass), S_OK);
    EXPECT_EQ(lowPass, -1);
    for (const Property& p : kProperties) {
        EXPECT_EQ(idOf(p.name), p.id) << p.name;
        EXPECT_EQ(getLong(p.name), p.creation) << p.name;
    }
}

TEST_F(Encoder, PresetWithoutArgumentResets) {
    EXPECT_EQ(encoder_->SetParamsFromPreset(0), S_OK);
    EXPECT_EQ(getLong(L"VbrBitrate"), 128);
    ASSERT_EQ(putByName(L"VbrBitrate", com::variant(192L)), S_OK);
    // A script leaves the optional argument out; the type library supplies 0.
    EXPECT_EQ(callByName(L"SetParamsFromPreset", {}), S_OK);
    for (const Property& p : kProperties) {
        EXPECT_EQ(getLong(p.name), p.id == 4 ? 128 : p.creation) << p.name;
    }
}

TEST_F(Encoder, AltPresets) {
    EXPECT_EQ(callByName(L"SetParamsFromAltPreset", {com::variant(short{2})}), S_OK);
    EXPECT_EQ(getLong(L"VbrCodingMethod"), 1);
    EXPECT_EQ(getLong(L"LowPassFrequency"), 19000);
    EXPECT_EQ(getLong(L"Bitrate"), 128);
    EXPECT_EQ(encoder_->SetParamsFromAltPreset(0), S_OK);
    EXPECT_EQ(getLong(L"LowPassFrequency"), -1);
    EXPECT_EQ(getLong(L"VbrBitrate"), 128);
}

TEST_F(Encoder, OptionStringThroughBothBindings) {
    com::bstr options(L"-b 192 -m j");
    EXPECT_EQ(encoder_->SetParamsFromCommandLine(options.get()), S_OK);
    EXPECT_EQ(getLong(L"Bitrate"), 192);
    EXPECT_EQ(getLong(L"TypeStereo"), 2);
    EXPECT_EQ(getLong(L"VbrBitrate"), 128);

    EXPECT_EQ(callByName(L"SetParamsFromCommandLine", {com::variant(std::wstring_view(L"--preset cd"))}), S_OK);
    EXPECT_EQ(getLong(L"TypeStereo"), 1);
    EXPECT_EQ(getLong(L"VbrCodingMethod"), 0);
    EXPECT_EQ(getLong(L"VbrBitrate"), 320);
}

TEST_F(Encoder, NullOrEmptyOptionStringChangesNothing) {
    ASSERT_EQ(encoder_->put_Bitrate(BR_64_KBPS), S_OK);
    EXPECT_EQ(encoder_->SetParamsFromCommandLine(nullptr), S_OK);
    com::bstr empty(L"");
    EXPECT_EQ(encoder_->SetParamsFromCommandLine(empty.get()), S_OK);
    EXPECT_EQ(getLong(L"Bitrate"), 64);
    EXPECT_EQ(getLong(L"VbrBitrate"), 192);
    // Blanks only are not empty: the settings are reset.
    com::bstr blanks(L"   ");
    EXPECT_EQ(encoder_->SetParamsFromCommandLine(blanks.get()), S_OK);
    EXPECT_EQ(getLong(L"Bitrate"), 128);
}

TEST_F(Encoder, HostileOptionStrings) {
    std::wstring binary;
    for (int i = 0; i < 70000; ++i) binary += static_cast<wchar_t>((i * 7919) % 65536);
    com::bstr b(binary);
    EXPECT_EQ(encoder_->SetParamsFromCommandLine(b.get()), S_OK);
    com::bstr unterminated(std::wstring(1 << 20, L'9'));
    EXPECT_EQ(encoder_->SetParamsFromCommandLine(unterminated.get()), S_OK);
    com::bstr longNumber(L"-b " + std::wstring(1 << 16, L'1'));
    EXPECT_EQ(encoder_->SetParamsFromCommandLine(longNumber.get()), S_OK);
    EXPECT_EQ(getLong(L"Bitrate"), -1);
}

TEST_F(Encoder, InvertedFlagsAndSixteenBitFields) {
    EXPECT_EQ(putByName(L"BitReservoir", com::variant(true)), S_OK);  // VARIANT_TRUE, -1
    EXPECT_EQ(getLong(L"BitReservoir"), 1);
    EXPECT_EQ(encoder_->put_BitReservoir(VARIANT_FALSE), S_OK);
    EXPECT_EQ(getLong(L"BitReservoir"), 0);
    EXPECT_EQ(encoder_->put_ShortBlocks(5), S_OK);
    VARIANT_BOOL shortBlocks = 0;
    EXPECT_EQ(encoder_->get_ShortBlocks(&shortBlocks), S_OK);
    EXPECT_EQ(shortBlocks, 1);
    EXPECT_EQ(encoder_->put_WritingVBRHeader(VARIANT_TRUE), S_OK);
    EXPECT_EQ(getLong(L"WritingVBRHeader"), -1);

    EXPECT_EQ(encoder_->put_Bitrate(static_cast<RipBitrateConstants>(70000)), S_OK);
    EXPECT_EQ(getLong(L"Bitrate"), 70000 - 65536);
    EXPECT_EQ(encoder_->put_Channels(static_cast<RipChannelsConstants>(0x18000)), S_OK);
    EXPECT_EQ(getLong(L"Channels"), -32768);
    EXPECT_EQ(encoder_->put_Frequency(static_cast<RipFrequencyConstants>(123456)), S_OK);
    EXPECT_EQ(getLong(L"Frequency"), 123456);
}

TEST_F(Encoder, InvalidDispatchCallsGetDispatchErrors) {
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
    DISPID id = 0;
    EXPECT_EQ(dispatch_->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
    // Names are matched without regard to case, as scripts expect.
    LPOLESTR lower[] = {const_cast<LPOLESTR>(L"bitrate")};
    EXPECT_EQ(dispatch_->GetIDsOfNames(IID_NULL, lower, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, 25);

    DISPPARAMS none{};
    com::variant result;
    EXPECT_EQ(dispatch_->Invoke(999, IID_NULL, 0, DISPATCH_METHOD, &none, result.put(), nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(dispatch_->Invoke(25, IID_IUnknown, 0, DISPATCH_PROPERTYGET, &none, result.put(), nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
    EXPECT_EQ(callByName(L"SetParamsFromPreset", {com::variant(1L), com::variant(2L)}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(callByName(L"SetParamsFromCommandLine", {}), DISP_E_BADPARAMCOUNT);
    com::variant missing;
    missing.get()->vt = VT_ERROR;
    missing.get()->scode = DISP_E_PARAMNOTFOUND;
    EXPECT_EQ(callByName(L"SetParamsFromCommandLine", {missing}), DISP_E_PARAMNOTOPTIONAL);
    UINT argumentError = 99;
    com::variant text(std::wstring_view(L"not a number"));
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS put{text.get(), &named, 1, 1};
    EXPECT_EQ(dispatch_->Invoke(25, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, &argumentError),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(getLong(L"Bitrate"), 128);

    UINT count = 0;
    EXPECT_EQ(dispatch_->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    com::ptr<ITypeInfo> info;
    EXPECT_EQ(dispatch_->GetTypeInfo(1, 0, info.put()), DISP_E_BADINDEX);
    EXPECT_EQ(dispatch_->GetTypeInfo(0, 0, info.put()), S_OK);
}

TEST_F(Encoder, RegistryKeysAsDeclared) {
    const std::wstring clsid = guidText(CLSID_AudioCDRipperLameMP3Encoder);
    const std::wstring key = L"CLSID\\" + clsid;
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, kProgId), L"AudioCDRiperLameMP3Encoder Class");
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, std::wstring(kProgId) + L"\\CLSID"), clsid);
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, std::wstring(kIndependentProgId) + L"\\CurVer"), kProgId);
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, key), L"AudioCDRiperLameMP3Encoder Class");
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, key + L"\\ProgID"), kProgId);
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, key + L"\\VersionIndependentProgID"), kIndependentProgId);
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, key + L"\\TypeLib"), L"{BDFE7BD2-3C20-4B01-82B4-DE5B56E30126}");
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, key + L"\\Programmable"));
    ServerDll dll(L"ZEVDiscRipper.dll");
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, key + L"\\InprocServer32"), dll.path());
}

TEST(EncoderRegistration, UnregistrationRemovesEveryKeyItWrote) {
    PrivateClassesRoot root;
    ASSERT_TRUE(root);
    ServerDll dll(L"ZEVDiscRipper.dll");
    ASSERT_TRUE(dll);
    ASSERT_EQ(dll.registerServer(), S_OK);
    const std::vector<std::wstring> keys = root.allKeys();
    const auto has = [&](const std::wstring& k) {
        return std::any_of(keys.begin(), keys.end(), [&](const std::wstring& key) { return _wcsicmp(key.c_str(), k.c_str()) == 0; });
    };
    EXPECT_TRUE(has(kProgId));
    EXPECT_TRUE(has(std::wstring(kIndependentProgId) + L"\\CurVer"));
    EXPECT_TRUE(has(L"CLSID\\" + guidText(CLSID_AudioCDRipperLameMP3Encoder) + L"\\InprocServer32"));
    EXPECT_TRUE(has(L"TypeLib\\{BDFE7BD2-3C20-4B01-82B4-DE5B56E30126}\\1.0"));
    EXPECT_TRUE(has(L"Interface\\" + guidText(IID_IAudioCDRipper)));
    EXPECT_TRUE(has(L"Interface\\" + guidText(IID_IAudioCDRipperLameMP3Encoder)));
    // Registering twice writes the same keys.
    ASSERT_EQ(dll.registerServer(), S_OK);
    EXPECT_EQ(root.allKeys(), keys);

    ASSERT_EQ(dll.unregisterServer(), S_OK);
    // Only the top-level folders shared with every other server may stay.
    for (const std::wstring& k : root.allKeys()) {
        EXPECT_TRUE(_wcsicmp(k.c_str(), L"CLSID") == 0 || _wcsicmp(k.c_str(), L"TypeLib") == 0 ||
                    _wcsicmp(k.c_str(), L"Interface") == 0)
            << std::string(k.begin(), k.end());
    }
    // Unregistering what is not registered is no error.
    EXPECT_EQ(dll.unregisterServer(), S_OK);
}

}  // namespace
