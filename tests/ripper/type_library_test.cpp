// The registered ZEVDiscRipper type library: slot order and DISPIDs of IAudioCDRipper, the
// event dispinterface, and the fixed values of the enumerations.
#include "ServerDll.h"
#include "com/Apartment.h"
#include "com/Bstr.h"
#include "com/Ptr.h"
#include "com/Variant.h"

#include "ZEVDiscRipper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct Member {
    std::wstring name;
    INVOKEKIND kind;
    MEMBERID id;
};

constexpr INVOKEKIND M = INVOKE_FUNC;
constexpr INVOKEKIND G = INVOKE_PROPERTYGET;
constexpr INVOKEKIND P = INVOKE_PROPERTYPUT;

// IAudioCDRipper after the IDispatch methods, in slot order.
const std::vector<Member> kRipperSlots = {
    {L"DriverOpen", M, 0x01}, {L"DriverClose", M, 0x02}, {L"Eject", M, 0x03}, {L"Refresh", M, 0x04},
    {L"IsAvailableFormatOGG", M, 0x0a}, {L"IsAvailableFormatMP3", M, 0x0b}, {L"SetFormatMP3", M, 0x0c},
    {L"SetFormatMP3Ex", M, 0x0d}, {L"SetFormatWMA", M, 0x0e}, {L"SetFormatOGG", M, 0x0f},
    {L"RipTrackToWav", M, 0x14}, {L"RipTrackToMP3", M, 0x15}, {L"RipTrackToWMA", M, 0x16},
    {L"RipTrackToOGG", M, 0x17}, {L"StopRip", M, 0x18}, {L"GetCDDBInfo", M, 0x1e},
    {L"driveNum", G, 0x32}, {L"driveNum", P, 0x32}, {L"driveCount", G, 0x33}, {L"driveLetter", G, 0x34},
    {L"driveName", G, 0x35}, {L"driveReadType", G, 0x36}, {L"driveReadType", P, 0x36},
    {L"driveSpeed", G, 0x37}, {L"driveSpeed", P, 0x37}, {L"driveSpinUpTime", G, 0x38},
    {L"driveSpinUpTime", P, 0x38}, {L"driveLockCDTrayDuringRip", G, 0x39},
    {L"driveLockCDTrayDuringRip", P, 0x39}, {L"cdType", G, 0x3c}, {L"cdID", G, 0x3d},
    {L"ripModePreset", G, 0x46}, {L"ripModePreset", P, 0x46}, {L"ripOnErrorAction", G, 0x47},
    {L"ripOnErrorAction", P, 0x47}, {L"ripOnErrorRetries", G, 0x48}, {L"ripOnErrorRetries", P, 0x48},
    {L"ripUseExternalASPI", G, 0x49}, {L"ripUseExternalASPI", P, 0x49}, {L"cddbTimeOut", G, 0x50},
    {L"cddbTimeOut", P, 0x50}, {L"cddbServerAddress", G, 0x51}, {L"cddbServerAddress", P, 0x51},
    {L"cddbAgentName", G, 0x52}, {L"cddbAgentName", P, 0x52}, {L"cddbServerHTTPPort", G, 0x53},
    {L"cddbServerHTTPPort", P, 0x53}, {L"cddbUserEMail", G, 0x54}, {L"cddbUserEMail", P, 0x54},
    {L"cddbCGIScript", G, 0x55}, {L"cddbCGIScript", P, 0x55}, {L"cddbInfoArtist", G, 0x56},
    {L"cddbInfoAlbum", G, 0x57}, {L"cddbInfoGenre", G, 0x58}, {L"cddbInfoTitle", G, 0x59},
    {L"trackNum", G, 0x5a}, {L"trackNum", P, 0x5a}, {L"trackCount", G, 0x5b}, {L"trackDuration", G, 0x5c},
    {L"trackSamples", G, 0x5d}, {L"trackFormatString", G, 0x5e}, {L"_OnEvent", M, 0x5f},
};

class TypeLibrary : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ServerDll dll(L"ZEVDiscRipper.dll");
        ASSERT_EQ(dll.registerServer(), S_OK);
    }
    void SetUp() override {
        ASSERT_TRUE(apartment_);
        ASSERT_EQ(LoadRegTypeLib(LIBID_ZEVDISCRIPPERLib, 1, 0, 0, library_.put()), S_OK);
    }

    com::ptr<ITypeInfo> infoOf(REFGUID guid) {
        com::ptr<ITypeInfo> info;
        EXPECT_EQ(library_->GetTypeInfoOfGuid(guid, info.put()), S_OK);
        return info;
    }

    // For a dual interface, its vtable half.
    com::ptr<ITypeInfo> vtableOf(REFIID iid) {
        com::ptr<ITypeInfo> dispatch = infoOf(iid);
        HREFTYPE ref = 0;
        EXPECT_EQ(dispatch->GetRefTypeOfImplType(-1, &ref), S_OK);
        com::ptr<ITypeInfo> vtable;
        EXPECT_EQ(dispatch->GetRefTypeInfo(ref, vtable.put()), S_OK);
        return vtable;
    }

    static std::vector<Member> membersOf(ITypeInfo* info) {
        TYPEATTR* attributes = nullptr;
        EXPECT_EQ(info->GetTypeAttr(&attributes), S_OK);
        std::vector<std::pair<SHORT, Member>> slots;
        for (UINT i = 0; i < attributes->cFuncs; ++i) {
            FUNCDESC* f = nullptr;
            EXPECT_EQ(info->GetFuncDesc(i, &f), S_OK);
            com::bstr name;
            info->GetDocumentation(f->memid, name.put(), nullptr, nullptr, nullptr);
            slots.push_back({f->oVft, {std::wstring(name.view()), f->invkind, f->memid}});
            info->ReleaseFuncDesc(f);
        }
        info->ReleaseTypeAttr(attributes);
        std::stable_sort(slots.begin(), slots.end(), [](auto& a, auto& b) { return a.first < b.first; });
        std::vector<Member> members;
        for (auto& s : slots) members.push_back(s.second);
        return members;
    }

    static LONG valueOf(ITypeInfo* info, const wchar_t* constant) {
        TYPEATTR* attributes = nullptr;
        EXPECT_EQ(info->GetTypeAttr(&attributes), S_OK);
        LONG value = 0x7fffffff;
        for (UINT i = 0; i < attributes->cVars; ++i) {
            VARDESC* v = nullptr;
            info->GetVarDesc(i, &v);
            com::bstr name;
            info->GetDocumentation(v->memid, name.put(), nullptr, nullptr, nullptr);
            if (name.view() == constant) value = v->lpvarValue->lVal;
            info->ReleaseVarDesc(v);
        }
        info->ReleaseTypeAttr(attributes);
        return value;
    }

    com::ptr<ITypeInfo> enumNamed(const wchar_t* name) {
        com::ptr<ITypeInfo> info;
        MEMBERID id = 0;
        USHORT found = 1;
        std::wstring text = name;
        EXPECT_EQ(library_->FindName(text.data(), 0, info.put(), &id, &found), S_OK) << std::string(text.begin(), text.end());
        return info;
    }

    com::apartment apartment_;
    com::ptr<ITypeLib> library_;
};

bool operator==(const Member& a, const Member& b) { return a.name == b.name && a.kind == b.kind && a.id == b.id; }

void PrintTo(const Member& m, std::ostream* os) {
    *os << std::string(m.name.begin(), m.name.end()) << " kind " << m.kind << " id " << m.id;
}

TEST_F(TypeLibrary, RipperInterfaceSlotsAndDispids) {
    EXPECT_EQ(membersOf(vtableOf(IID_IAudioCDRipper).get()), kRipperSlots);
}

TEST_F(TypeLibrary, EncoderInterfaceSlotsAndDispids) {
    const std::vector<Member> members = membersOf(vtableOf(IID_IAudioCDRipperLameMP3Encoder).get());
    ASSERT_EQ(members.size(), 3u + 44u);
    EXPECT_EQ(members[0], (Member{L"SetParamsFromCommandLine", M, 1}));
    EXPECT_EQ(members[2], (Member{L"SetParamsFromAltPreset", M, 3}));
    EXPECT_EQ(members[3], (Member{L"VbrBitrate", G, 4}));
    EXPECT_EQ(members[4], (Member{L"VbrBitrate", P, 4}));
    EXPECT_EQ(members[45], (Member{L"Bitrate", G, 25}));
    EXPECT_EQ(members[46], (Member{L"Bitrate", P, 25}));
}

TEST_F(TypeLibrary, EventDispinterface) {
    const std::vector<Member> expected = {{L"Error", M, 1}, {L"RipProgress", M, 2}, {L"RipRetry", M, 3},
                                          {L"MediaChange", M, 4}, {L"CDDBQueryStatus", M, 5}};
    com::ptr<ITypeInfo> events = infoOf(DIID__IAudioCDRipperEvents);
    std::vector<Member> members;
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(events->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
    for (UINT i = 0; i < attributes->cFuncs; ++i) {
        FUNCDESC* f = nullptr;
        ASSERT_EQ(events->GetFuncDesc(i, &f), S_OK);
        com::bstr name;
        events->GetDocumentation(f->memid, name.put(), nullptr, nullptr, nullptr);
        members.push_back({std::wstring(name.view()), f->invkind, f->memid});
        EXPECT_EQ(f->cParams, f->memid == 4 ? 0 : 1);
        events->ReleaseFuncDesc(f);
    }
    events->ReleaseTypeAttr(attributes);
    EXPECT_EQ(members, expected);
}

TEST_F(TypeLibrary, CoclassesNameTheirInterfaces) {
    com::ptr<ITypeInfo> ripper = infoOf(CLSID_AudioCDRipper);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(ripper->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_COCLASS);
    EXPECT_EQ(attributes->cImplTypes, 2);
    ripper->ReleaseTypeAttr(attributes);
    INT flags = 0;
    ASSERT_EQ(ripper->GetImplTypeFlags(1, &flags), S_OK);
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
    EXPECT_TRUE(infoOf(CLSID_AudioCDRipperLameMP3Encoder));
}

TEST_F(TypeLibrary, EnumerationValues) {
    const std::vector<std::tuple<const wchar_t*, const wchar_t*, LONG>> values = {
        {L"ErrcodeConstants", L"NO_ERRORS", 0},           {L"ErrcodeConstants", L"INIT_FAILED", -101},
        {L"ErrcodeConstants", L"TIMEOUT", -107},          {L"ErrcodeConstants", L"MEDIA_CHANGED", -112},
        {L"ReadTypeConstants", L"CDRT_ANY", 0},           {L"ReadTypeConstants", L"CDRT_READ_D4_1", 7},
        {L"ReadTypeConstants", L"CDRT_READ10_2", 8},      {L"RipModePresetConstants", L"PARANOID", 4},
        {L"RipActionOnErrorConstants", L"StopRip", 0},    {L"RipActionOnErrorConstants", L"CORRECT", 3},
        {L"CDDiskTypeConstants", L"GREENBOOK", 4},        {L"CDDiskTypeConstants", L"BLUEBOOK", 5},
        {L"CDDBSourceConstants", L"CDPLAYERINI", 2},      {L"CDDBQueryStatusConstants", L"PROCESSANSWER", 1},
        {L"RipFrequencyConstants", L"FQ_88_KHZ", 88200},  {L"RipFrequencyConstants", L"FQ_6_KHZ", 6000},
        {L"RipBitrateConstants", L"BR_350_KBPS", 350},    {L"RipBitrateConstants", L"BR_NONE", 0},
        {L"RipChannelsConstants", L"STEREO", 2},          {L"RipLameTypeStereoContants", L"DUALCHANNEL", 4},
        {L"RipLameVBRCodingMethod", L"VBR_NONE", -1},     {L"RipLameVBRCodingMethod", L"VBR_ABR", 4},
    };
    for (const auto& [type, constant, value] : values) {
        com::ptr<ITypeInfo> info = enumNamed(type);
        ASSERT_TRUE(info);
        EXPECT_EQ(valueOf(info.get(), constant), value) << std::string(constant, constant + wcslen(constant));
    }
}

TEST_F(TypeLibrary, OptionalArgumentsCarryTheirDefaults) {
    com::ptr<ITypeInfo> vtable = vtableOf(IID_IAudioCDRipper);
    MEMBERID id = 0x0f;  // SetFormatOGG
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(vtable->GetTypeAttr(&attributes), S_OK);
    bool seen = false;
    for (UINT i = 0; i < attributes->cFuncs; ++i) {
        FUNCDESC* f = nullptr;
        ASSERT_EQ(vtable->GetFuncDesc(i, &f), S_OK);
        if (f->memid == id) {
            seen = true;
            ASSERT_EQ(f->cParams, 6);
            const LONG defaults[] = {44100, 2, 128, 0, 0, -1};
            for (int p = 0; p < 6; ++p) {
                const PARAMDESC& d = f->lprgelemdescParam[p].paramdesc;
                ASSERT_TRUE(d.wParamFlags & PARAMFLAG_FHASDEFAULT) << p;
                com::variant value;
                ASSERT_EQ(VariantChangeType(value.put(), &d.pparamdescex->varDefaultValue, 0, VT_I4), S_OK);
                EXPECT_EQ(value.get()->lVal, defaults[p]) << p;
            }
        }
        vtable->ReleaseFuncDesc(f);
    }
    vtable->ReleaseTypeAttr(attributes);
    EXPECT_TRUE(seen);
}

}  // namespace
