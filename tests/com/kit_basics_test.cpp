// The kit's ownership types, object identity and counts, class information, dispatch from the
// type library, and registration entries.
#include "KitProbe.h"
#include "com/Apartment.h"
#include "com/Bstr.h"
#include "com/Marshal.h"
#include "com/Registration.h"
#include "com/SafeArray.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace {

TEST(Bstr, NullIsEmptyAndAnsiRoundTrips) {
    EXPECT_TRUE(com::view(nullptr).empty());
    EXPECT_EQ(com::to_ansi(nullptr), "");
    com::bstr text = com::bstr::from_ansi("Track 01");
    EXPECT_EQ(text.view(), L"Track 01");
    EXPECT_EQ(com::to_ansi(text.get()), "Track 01");
    com::bstr empty = com::bstr::from_ansi("");
    ASSERT_NE(empty.get(), nullptr);
    EXPECT_EQ(SysStringLen(empty.get()), 0u);
    com::bstr withNul(std::wstring_view(L"a\0b", 3));
    EXPECT_EQ(com::to_ansi(withNul.get()), std::string("a\0b", 3));
    BSTR out = nullptr;
    EXPECT_EQ(com::copy_to(&out, L"copy"), S_OK);
    com::bstr owned;
    owned.attach(out);
    EXPECT_EQ(owned.view(), L"copy");
    EXPECT_EQ(com::copy_to(nullptr, L"x"), E_POINTER);
}

TEST(Variant, OwnsAndCopiesItsValue) {
    com::variant text(std::wstring_view(L"abc"));
    com::variant copy = text;
    EXPECT_EQ(copy.type(), VT_BSTR);
    EXPECT_NE(copy.get()->bstrVal, text.get()->bstrVal);
    EXPECT_EQ(com::view(copy.get()->bstrVal), L"abc");
    com::variant flag(true);
    EXPECT_EQ(flag.get()->boolVal, VARIANT_TRUE);
    com::variant number(42);
    EXPECT_EQ(number.change_type(VT_BSTR), S_OK);
    EXPECT_EQ(com::view(number.get()->bstrVal), L"42");
    VARIANT out;
    EXPECT_EQ(number.detach_to(&out), S_OK);
    EXPECT_EQ(number.type(), VT_EMPTY);
    VariantClear(&out);
}

TEST(SafeArray, AccessGuardAndOwnership) {
    com::safearray samples(SafeArrayCreateVector(VT_I2, 0, 6));
    ASSERT_TRUE(samples);
    {
        com::safearray_data<SHORT> data(samples.get());
        ASSERT_TRUE(data);
        EXPECT_EQ(data.size(), 6u);
        std::iota(data.begin(), data.end(), SHORT{-3});
        // Locked while accessed: it cannot be destroyed under the guard.
        EXPECT_EQ(SafeArrayDestroy(samples.get()), DISP_E_ARRAYISLOCKED);
    }
    com::safearray_data<SHORT> again(samples.get());
    EXPECT_EQ(again.begin()[5], 2);
    com::safearray_data<SHORT> none(nullptr);
    EXPECT_FALSE(none);
    EXPECT_EQ(none.size(), 0u);
}

class Kit : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(apartment_); }
    com::apartment apartment_;
};

TEST_F(Kit, ObjectsKeepTheModuleLoaded) {
    EXPECT_EQ(com::canUnloadNow(), S_OK);
    {
        auto probe = com::make<KitProbe>();
        EXPECT_EQ(com::canUnloadNow(), S_FALSE);
    }
    EXPECT_EQ(com::canUnloadNow(), S_OK);
    com::lockModule();
    EXPECT_EQ(com::canUnloadNow(), S_FALSE);
    com::unlockModule();
    EXPECT_EQ(com::canUnloadNow(), S_OK);
}

TEST_F(Kit, QueryInterfaceAnswersEntriesAndTheirBases) {
    com::ptr<IUnknown> object;
    ASSERT_EQ(com::create<KitProbe>(IID_IUnknown, object.put_void()), S_OK);
    com::ptr<IKitProbe> probe = object.query<IKitProbe>();
    ASSERT_TRUE(probe);
    com::ptr<IDispatch> dispatch = object.query<IDispatch>();
    EXPECT_EQ(static_cast<IUnknown*>(dispatch.get()), static_cast<IUnknown*>(probe.get()));
    EXPECT_TRUE(object.query<IProvideClassInfo>());
    EXPECT_TRUE(object.query<IProvideClassInfo2>());
    EXPECT_TRUE(object.query<IConnectionPointContainer>());
    EXPECT_FALSE(object.query<IPersist>());
    // Every interface leads back to one identity.
    EXPECT_EQ(dispatch.query<IUnknown>(), object);
    EXPECT_EQ(object.query<IConnectionPointContainer>().query<IUnknown>(), object);
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(object->QueryInterface(IID_IClassFactory, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
}

TEST_F(Kit, ClassInformationFromTheTypeLibrary) {
    auto probe = com::make<KitProbe>();
    com::ptr<IProvideClassInfo2> info = com::ptr<IUnknown>(probe->identity()).query<IProvideClassInfo2>();
    ASSERT_TRUE(info);
    com::ptr<ITypeInfo> coclass;
    ASSERT_EQ(info->GetClassInfo(coclass.put()), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_COCLASS);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, CLSID_KitProbe));
    coclass->ReleaseTypeAttr(attributes);
    GUID source{};
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
    EXPECT_TRUE(IsEqualGUID(source, DIID__IKitProbeEvents));
    EXPECT_EQ(info->GetGUID(0, &source), E_INVALIDARG);
}

TEST_F(Kit, LateBoundCallsReachTheVtable) {
    auto probe = com::make<KitProbe>();
    int announced = 0;
    auto sink = com::make<com::EventSink>(DIID__IKitProbeEvents, [&](DISPID id, const DISPPARAMS& p) {
        if (id == 1 && p.cArgs == 2) announced = p.rgvarg[1].lVal;
    });
    com::Connection connection;
    ASSERT_EQ(connection.connect(probe->identity(), DIID__IKitProbeEvents, sink->identity()), S_OK);
    com::ptr<IDispatch> dispatch = com::ptr<IUnknown>(probe->identity()).query<IDispatch>();
    LPOLESTR name[] = {const_cast<LPOLESTR>(L"announce")};
    DISPID id = 0;
    ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, name, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 1);
    com::variant argument(std::wstring_view(L"12"));  // converted to long by the type information
    DISPPARAMS params{argument.get(), nullptr, 1, 0};
    EXPECT_EQ(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(announced, 12);
    DISPPARAMS none{};
    EXPECT_EQ(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), E_INVALIDARG);
}

TEST_F(Kit, UnusedMarshalledPointerReleasesItsReference) {
    {
        auto probe = com::make<KitProbe>();
        com::marshalled<IKitProbe> handOver;
        ASSERT_EQ(handOver.marshal(probe.get()), S_OK);
        EXPECT_TRUE(handOver);
        probe.reset();
        EXPECT_EQ(com::canUnloadNow(), S_FALSE);  // the stream holds the object
    }
    EXPECT_EQ(com::canUnloadNow(), S_OK);
}

TEST(Registration, EntriesOfAnActiveXControl) {
    const com::ClassRegistration control{COM_CONTROL_NAMES("ZEVTest", "Control"),
                                         .insertable = true,
                                         .toolboxBitmap = 101,
                                         .miscStatus = L"131473"};
    const com::TypeLibraryInfo library{CLSID_KitProbe, 1, 0};
    const auto entries = com::registryEntries(CLSID_KitProbe, control, library, L"C:\\x\\ZEVTest.dll");
    const std::wstring key = L"CLSID\\{28FE28E0-CED7-463C-BDDA-42AFD9F5BC75}";
    const auto value = [&](const std::wstring& k, const std::wstring& name = L"") -> std::wstring {
        for (const auto& e : entries) {
            if (e.key == k && e.name == name) return e.value;
        }
        return L"<missing>";
    };
    EXPECT_EQ(value(L"ZEVTest.Control.1"), L"Control Class");
    EXPECT_EQ(value(L"ZEVTest.Control.1\\Insertable"), L"");
    EXPECT_EQ(value(L"ZEVTest.Control\\CurVer"), L"ZEVTest.Control.1");
    EXPECT_EQ(value(key + L"\\VersionIndependentProgID"), L"ZEVTest.Control");
    EXPECT_EQ(value(key + L"\\InprocServer32"), L"C:\\x\\ZEVTest.dll");
    EXPECT_EQ(value(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(value(key + L"\\Control"), L"");
    EXPECT_EQ(value(key + L"\\Insertable"), L"");
    EXPECT_EQ(value(key + L"\\ToolboxBitmap32"), L"C:\\x\\ZEVTest.dll, 101");
    EXPECT_EQ(value(key + L"\\MiscStatus"), L"0");
    EXPECT_EQ(value(key + L"\\MiscStatus\\1"), L"131473");
    EXPECT_EQ(value(key + L"\\TypeLib"), L"{28FE28E0-CED7-463C-BDDA-42AFD9F5BC75}");
    EXPECT_EQ(value(key + L"\\Version"), L"1.0");
    EXPECT_EQ(com::registryRoots(CLSID_KitProbe, control),
              (std::vector<std::wstring>{key, L"ZEVTest.Control.1", L"ZEVTest.Control"}));

    const com::ClassRegistration plain{.progId = L"P.1", .description = L"P", .threadingModel = L"Both"};
    const auto plainEntries = com::registryEntries(CLSID_KitProbe, plain, library, L"p.dll");
    EXPECT_TRUE(std::none_of(plainEntries.begin(), plainEntries.end(), [](const com::RegistryEntry& e) {
        return e.key.ends_with(L"\\Control") || e.key.ends_with(L"\\Version") || e.key.ends_with(L"Insertable");
    }));
}

}  // namespace
