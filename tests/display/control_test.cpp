// The ZEVAudioDisplay control through its registered server: registration, properties and
// their notifications, SendArray, persistence and drawing through IViewObject::Draw.
#include "DisplayClient.h"
#include "Picture.h"

#include "com/Apartment.h"
#include "com/ConnectionPoint.h"
#include "com/Extent.h"

#include <gtest/gtest.h>

#include <olectl.h>

#include <array>
#include <cstring>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGreen = RGB(0, 192, 0);

class Control : public ::testing::Test {
protected:
    static void SetUpTestSuite() { registerDisplayServer(); }

    void SetUp() override {
        ASSERT_TRUE(apartment_);
        ASSERT_EQ(CoCreateInstance(CLSID_ZEVAudioDisplay, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(display_.put())),
                  S_OK);
    }

    void setSize(LONG width, LONG height) {
        SIZEL extent = com::toHimetric(SIZE{width, height});
        ASSERT_EQ(display_.query<IOleObject>()->SetExtent(DVASPECT_CONTENT, &extent), S_OK);
    }

    com::ptr<PropertyChanges> watch() {
        auto changes = com::make<PropertyChanges>();
        EXPECT_EQ(connection_.connect(display_.get(), IID_IPropertyNotifySink, changes->identity()), S_OK);
        return changes;
    }

    void send(com::safearray block) {
        SAFEARRAY* raw = block.get();
        ASSERT_EQ(display_->SendArray(&raw), S_OK);
    }

    Picture drawn(int width = 250, int height = 92) {
        Picture picture(width, height);
        const RECTL bounds{0, 0, width, height};
        EXPECT_EQ(display_.query<IViewObject>()->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, picture.dc(),
                                                      &bounds, nullptr, nullptr, 0),
                  S_OK);
        return picture;
    }

    std::vector<uint8_t> saved() {
        com::ptr<IStream> stream;
        EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
        EXPECT_EQ(display_.query<IPersistStreamInit>()->Save(stream.get(), TRUE), S_OK);
        return contents(stream.get());
    }

    static std::vector<uint8_t> contents(IStream* stream) {
        STATSTG stat{};
        stream->Stat(&stat, STATFLAG_NONAME);
        std::vector<uint8_t> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
        const LARGE_INTEGER start{};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        ULONG read = 0;
        stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
        return bytes;
    }

    static com::ptr<IZEVAudioDisplay> loaded(const std::vector<uint8_t>& bytes, HRESULT expected = S_OK) {
        com::ptr<IStream> stream;
        EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
        stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
        const LARGE_INTEGER start{};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        com::ptr<IZEVAudioDisplay> other;
        EXPECT_EQ(CoCreateInstance(CLSID_ZEVAudioDisplay, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(other.put())),
                  S_OK);
        EXPECT_EQ(other.query<IPersistStreamInit>()->Load(stream.get()), expected);
        return other;
    }

    template <class T>
    T read(HRESULT (STDMETHODCALLTYPE IZEVAudioDisplay::*getter)(T*)) {
        return read(display_, getter);
    }
    template <class T>
    static T read(const com::ptr<IZEVAudioDisplay>& display, HRESULT (STDMETHODCALLTYPE IZEVAudioDisplay::*getter)(T*)) {
        T value{};
        EXPECT_EQ((display.get()->*getter)(&value), S_OK);
        return value;
    }

    com::apartment apartment_;
    com::ptr<IZEVAudioDisplay> display_;
    com::Connection connection_;
};

}  // namespace

TEST(Registration, WritesTheControlKeys) {
    PrivateClassesRoot root;
    ASSERT_TRUE(root);
    ServerDll dll(L"ZEVAudioDisplay.dll");
    ASSERT_EQ(dll.registerServer(), S_OK);
    const std::wstring clsid = L"CLSID\\" + guidText(CLSID_ZEVAudioDisplay);
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, clsid), L"ZEVDisplay Class");
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, clsid + L"\\ProgID"), L"ZEVAudioDisplay.ZEVDisplay.1");
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, clsid + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, clsid + L"\\ToolboxBitmap32"), dll.path() + L", 101");
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, clsid + L"\\MiscStatus"), L"0");
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, clsid + L"\\MiscStatus\\1"), L"131473");
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, clsid + L"\\TypeLib"), L"{82A82681-0385-11D6-93A0-D995CA7BB43C}");
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, clsid + L"\\Version"), L"1.0");
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, clsid + L"\\Control"));
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, clsid + L"\\Insertable"));
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, clsid + L"\\Programmable"));
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, L"ZEVAudioDisplay.ZEVDisplay.1\\Insertable"));
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, L"ZEVAudioDisplay.ZEVDisplay\\CurVer"), L"ZEVAudioDisplay.ZEVDisplay.1");
    ASSERT_EQ(dll.unregisterServer(), S_OK);
    // Only the top-level folders shared with every other server may stay.
    for (const std::wstring& k : root.allKeys()) {
        EXPECT_TRUE(_wcsicmp(k.c_str(), L"CLSID") == 0 || _wcsicmp(k.c_str(), L"TypeLib") == 0 ||
                    _wcsicmp(k.c_str(), L"Interface") == 0)
            << std::string(k.begin(), k.end());
    }
}

TEST(Registration, ToolboxPictureAndStripsAreResources) {
    HMODULE dll = LoadLibraryExW(L"ZEVAudioDisplay.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(dll);
    for (int id : {101, 201, 202, 203}) EXPECT_TRUE(FindResourceW(dll, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2))) << id;
    wchar_t name[64] = {};
    EXPECT_GT(LoadStringW(dll, 100, name, 64), 0);
    EXPECT_STREQ(name, L"ZEVAudioDisplay");
    FreeLibrary(dll);
}

TEST_F(Control, ReportsItsMiscStatusAndViewStatus) {
    DWORD status = 0;
    ASSERT_EQ(display_.query<IOleObject>()->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
    EXPECT_EQ(status, 131473u);
    ASSERT_EQ(display_.query<IViewObjectEx>()->GetViewStatus(&status), S_OK);
    EXPECT_EQ(status, static_cast<DWORD>(VIEWSTATUS_OPAQUE | VIEWSTATUS_SOLIDBKGND));
    CAUUID pages{};
    ASSERT_EQ(display_.query<ISpecifyPropertyPages>()->GetPages(&pages), S_OK);
    EXPECT_EQ(pages.cElems, 1u);
    CoTaskMemFree(pages.pElems);
    EXPECT_TRUE(display_.query<IProvideClassInfo2>());
    EXPECT_TRUE(display_.query<IOleInPlaceObjectWindowless>());
    EXPECT_TRUE(display_.query<IQuickActivate>());
    EXPECT_TRUE(display_.query<IPersistStorage>());
}

TEST_F(Control, StartsWithTheConstructionValues) {
    EXPECT_EQ(read(&IZEVAudioDisplay::get_FFTWindowsSize), 440);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_MaxLevel), -11);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_OutLinesHeight), 6);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_ArrayChannels), STEREO);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_ArrayFreqyency), FQ_44_KHZ);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_TypeDisplay), tdOutLine);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_BorderStyle), bNone);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_BackColor), 0x000000u);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_BorderColor), 0xFFFFFFu);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_ScaleColor), 0x808080u);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_MaxLevelColor), 0x0000FFu);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_LevelsColor), 0x00C000u);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_AttackTime), 0);
}

TEST_F(Control, WindowSizeRoundsToAPowerOfFour) {
    const std::pair<LONG, LONG> cases[] = {{440, 256}, {100, 64}, {128, 256}, {20000, 16384}, {1, 64}};
    for (auto [put, expected] : cases) {
        EXPECT_EQ(display_->put_FFTWindowsSize(put), S_OK);
        EXPECT_EQ(read(&IZEVAudioDisplay::get_FFTWindowsSize), expected) << put;
    }
}

TEST_F(Control, MaxLevelKeepsOnlyValuesFromMinus90To0) {
    const std::pair<SHORT, SHORT> cases[] = {{-11, -11}, {-10, -11}, {0, -1}, {-90, -91}};
    for (auto [put, expected] : cases) {
        EXPECT_EQ(display_->put_MaxLevel(put), S_OK);
        EXPECT_EQ(read(&IZEVAudioDisplay::get_MaxLevel), expected) << put;
    }
    display_->put_MaxLevel(-19);
    EXPECT_EQ(display_->put_MaxLevel(5), S_OK);
    EXPECT_EQ(display_->put_MaxLevel(-91), S_OK);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_MaxLevel), -19);
}

TEST_F(Control, LevelBarHeightStaysBelowTheBoundOfTheHeight) {
    setSize(250, 92);
    display_->put_OutLinesHeight(2);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_OutLinesHeight), 6);
    display_->put_OutLinesHeight(20);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_OutLinesHeight), 20);
    display_->put_OutLinesHeight(21);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_OutLinesHeight), 20);
    display_->put_OutLinesHeight(3);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_OutLinesHeight), 3);
}

TEST_F(Control, UnknownBorderStyleIsKeptOutButStillAnnounced) {
    auto changes = watch();
    display_->put_BorderStyle(bLowered);
    display_->put_BorderStyle(static_cast<BorderTypeConstants>(7));
    EXPECT_EQ(read(&IZEVAudioDisplay::get_BorderStyle), bLowered);
    EXPECT_EQ(changes->changes, (std::vector<DISPID>{2, 2}));
}

TEST_F(Control, UnknownDisplayTypeDoesNothingAtAll) {
    auto changes = watch();
    display_->put_TypeDisplay(tdFFTGlass);
    display_->put_TypeDisplay(static_cast<TypeDisplay>(7));
    EXPECT_EQ(read(&IZEVAudioDisplay::get_TypeDisplay), tdFFTGlass);
    EXPECT_EQ(changes->changes, (std::vector<DISPID>{3}));
}

TEST_F(Control, ChannelsAreStoredAsGivenAndAnnounced) {
    auto changes = watch();
    display_->put_ArrayChannels(static_cast<ChannelsConstants>(5));
    display_->put_BackColor(0x123456);
    display_->put_FFTWindowsSize(1024);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_ArrayChannels), 5);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_BackColor), 0x123456u);
    EXPECT_EQ(changes->changes, (std::vector<DISPID>{14}));
}

TEST_F(Control, SavesNinetyEightBytesInPropertyOrder) {
    setSize(250, 92);
    display_->put_BorderStyle(bSingle);
    display_->put_TypeDisplay(tdAnalog);
    display_->put_BackColor(0x010203);
    display_->put_FFTWindowsSize(1000);
    display_->put_MaxLevel(-30);
    display_->put_OutLinesHeight(12);
    display_->put_ArrayChannels(MONO);
    display_->put_ArrayFreqyency(FQ_48_KHZ);
    display_->put_AttackTime(7);
    display_->put_ReleaseTime(-1);
    const std::vector<uint8_t> bytes = saved();
    ASSERT_EQ(bytes.size(), 98u);
    const auto word = [&](size_t at) {
        uint32_t value;
        std::memcpy(&value, bytes.data() + at, 4);
        return value;
    };
    const SIZEL extent = com::toHimetric(SIZE{250, 92});
    EXPECT_EQ(word(0), 0x0300u);
    EXPECT_EQ(word(4), static_cast<uint32_t>(extent.cx));
    EXPECT_EQ(word(8), static_cast<uint32_t>(extent.cy));
    const std::vector<uint8_t> expected = {
        3, 0, 1, 0, 0, 0,                      // BorderStyle
        3, 0, 1, 0, 0, 0,                      // TypeDisplay
        19, 0, 3, 2, 1, 0,                     // BackColor
        19, 0, 0xFF, 0xFF, 0xFF, 0,            // BorderColor
        19, 0, 0xFF, 0xFF, 0xFF, 0,            // InscriptionsColor
        19, 0, 0x80, 0x80, 0x80, 0,            // ScaleColor
        19, 0, 0, 0xC0, 0, 0,                  // LevelsColor
        19, 0, 0xFF, 0, 0, 0,                  // MaxLevelColor
        3, 0, 0, 4, 0, 0,                      // FFTWindowsSize 1024
        2, 0, 0xE1, 0xFF,                      // MaxLevel -30, read back as -31
        2, 0, 12, 0,                           // OutLinesHeight
        3, 0, 1, 0, 0, 0,                      // ArrayChannels
        3, 0, 0x80, 0xBB, 0, 0,                // ArrayFreqyency 48000
        3, 0, 7, 0, 0, 0,                      // AttackTime
        3, 0, 0xFF, 0xFF, 0xFF, 0xFF,          // ReleaseTime
    };
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(bytes[12 + i], expected[i]) << i;
}

TEST_F(Control, ReloadsWhatItSaved) {
    setSize(300, 100);
    display_->put_FFTWindowsSize(4096);  // 440, the construction value, would reload as 256
    display_->put_TypeDisplay(tdFFTKryptonite);
    display_->put_ScaleColor(0x445566);
    display_->put_OutLinesHeight(15);
    display_->put_MaxLevel(-45);
    const std::vector<uint8_t> bytes = saved();
    const auto other = loaded(bytes);
    EXPECT_EQ(read(other, &IZEVAudioDisplay::get_TypeDisplay), tdFFTKryptonite);
    EXPECT_EQ(read(other, &IZEVAudioDisplay::get_ScaleColor), 0x445566u);
    EXPECT_EQ(read(other, &IZEVAudioDisplay::get_OutLinesHeight), 15);
    EXPECT_EQ(read(other, &IZEVAudioDisplay::get_MaxLevel), -45);
    SIZEL extent{};
    other.query<IOleObject>()->GetExtent(DVASPECT_CONTENT, &extent);
    EXPECT_EQ(com::toPixels(extent).cx, 300);
    display_ = other;
    EXPECT_EQ(saved(), bytes);
}

TEST_F(Control, MaxLevelMinus90SurvivesSavingAndLoading) {
    display_->put_FFTWindowsSize(1024);
    display_->put_MaxLevel(-90);
    const std::vector<uint8_t> bytes = saved();
    display_ = loaded(bytes);
    EXPECT_EQ(read(&IZEVAudioDisplay::get_MaxLevel), -91);
    EXPECT_EQ(saved(), bytes);
}

TEST_F(Control, StoredMaxLevelGoesThroughThePut) {
    std::vector<uint8_t> bytes = saved();
    bytes[12 + 56] = static_cast<uint8_t>(-10);  // MaxLevel's value
    EXPECT_EQ(read(loaded(bytes), &IZEVAudioDisplay::get_MaxLevel), -11);
}

TEST_F(Control, RefusesBrokenStreams) {
    std::vector<uint8_t> bytes = saved();
    loaded(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 60), E_FAIL);
    bytes[0] = 0x01;
    bytes[1] = 0x04;  // a newer version
    loaded(bytes, E_FAIL);
}

TEST_F(Control, StorageHoldsTheStreamAsContents) {
    display_->put_TypeDisplay(tdFFTFire);
    com::ptr<ILockBytes> memory;
    ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, memory.put()), S_OK);
    com::ptr<IStorage> storage;
    ASSERT_EQ(StgCreateDocfileOnILockBytes(memory.get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                           storage.put()),
              S_OK);
    ASSERT_EQ(display_.query<IPersistStorage>()->Save(storage.get(), FALSE), S_OK);
    com::ptr<IStream> contents;
    ASSERT_EQ(storage->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, contents.put()), S_OK);
    contents = nullptr;
    com::ptr<IZEVAudioDisplay> other;
    ASSERT_EQ(CoCreateInstance(CLSID_ZEVAudioDisplay, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(other.put())), S_OK);
    ASSERT_EQ(other.query<IPersistStorage>()->Load(storage.get()), S_OK);
    EXPECT_EQ(read(other, &IZEVAudioDisplay::get_TypeDisplay), tdFFTFire);
}

TEST_F(Control, DrawsLevelsFromSampleBlocks) {
    setSize(250, 92);
    EXPECT_EQ(drawn().at(100, 24), kBlack);
    send(sampleArray(440, 32767));
    EXPECT_EQ(drawn().at(100, 24), kGreen);
}

TEST_F(Control, UnusableBlocksClearTheDisplay) {
    setSize(250, 92);
    ASSERT_EQ(display_->SendArray(nullptr), S_OK);
    SAFEARRAYBOUND square[2] = {{20, 0}, {20, 0}};
    com::safearray twoDimensional(SafeArrayCreate(VT_I2, 2, square));
    com::safearray wide = sampleArray(440, 0, VT_I4);
    com::safearray oneSample = sampleArray(1, 32767, VT_I2, 10);  // upper bound 10: not 11 samples
    for (SAFEARRAY* unusable : {static_cast<SAFEARRAY*>(nullptr), twoDimensional.get(), wide.get(), oneSample.get()}) {
        send(sampleArray(440, 32767));
        ASSERT_EQ(drawn().at(100, 24), kGreen);
        ASSERT_EQ(display_->SendArray(&unusable), S_OK);
        EXPECT_EQ(drawn().at(100, 24), kBlack);
    }
}

TEST_F(Control, BlockWithALowerBoundIsReadWhole) {
    setSize(250, 92);
    send(sampleArray(440, 32767, VT_I2, 5));
    EXPECT_EQ(drawn().at(100, 24), kGreen);
}

TEST_F(Control, OnTimerLowersOnlyLevelsAboveZero) {
    setSize(250, 92);
    display_->put_ArrayChannels(MONO);
    send(sampleArray(440, 32767));  // about +6 dB: the bar runs past its end
    EXPECT_EQ(drawn().at(230, 24), RGB(255, 0, 0));
    display_->_OnTimer();  // +3.6 dB
    display_->_OnTimer();  // +2.2 dB
    display_->_OnTimer();  // +1.3 dB
    EXPECT_EQ(drawn().at(230, 24), kBlack);
}

TEST_F(Control, DrawsEveryTypeAndBorder) {
    setSize(250, 92);
    display_->put_FFTWindowsSize(256);
    send(sampleArray(256, 20000));
    display_->put_BorderStyle(bSingle);
    for (TypeDisplay type : {tdAnalog, tdFFTFire, tdFFTGlass, tdFFTKryptonite}) {
        display_->put_TypeDisplay(type);
        const Picture p = drawn();
        EXPECT_EQ(p.at(0, 0), RGB(255, 255, 255)) << type;
        // The top of the second grid column: at x = 16 for the scope, 26 for the columns.
        EXPECT_EQ(type == tdAnalog ? p.at(16, 20) : p.at(26, 16), RGB(128, 128, 128)) << type;
    }
    const COLORREF columnTop[] = {RGB(227, 85, 78), RGB(167, 160, 199), RGB(56, 170, 106)};
    for (int k = 0; k < 3; ++k) {
        display_->put_TypeDisplay(static_cast<TypeDisplay>(tdFFTFire + k));
        EXPECT_EQ(drawn().at(22, 26), columnTop[k]) << k;
    }
}

TEST_F(Control, HandsOutItsPictureAsAMetafile) {
    setSize(250, 92);
    send(sampleArray(440, 32767));
    com::ptr<IDataObject> data = display_.query<IDataObject>();
    ASSERT_TRUE(data);
    FORMATETC format{CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT};
    EXPECT_EQ(data->QueryGetData(&format), S_OK);
    STGMEDIUM medium{};
    ASSERT_EQ(data->GetData(&format, &medium), S_OK);
    ASSERT_EQ(medium.tymed, static_cast<DWORD>(TYMED_MFPICT));
    const auto* description = static_cast<const METAFILEPICT*>(GlobalLock(medium.hMetaFilePict));
    ASSERT_TRUE(description);
    EXPECT_EQ(description->mm, MM_ANISOTROPIC);
    EXPECT_EQ(description->xExt, com::toHimetric(SIZE{250, 92}).cx);
    Picture played(250, 92);
    SetMapMode(played.dc(), MM_ANISOTROPIC);
    SetViewportExtEx(played.dc(), 250, 92, nullptr);
    EXPECT_TRUE(PlayMetaFile(played.dc(), description->hMF));
    GlobalUnlock(medium.hMetaFilePict);
    ReleaseStgMedium(&medium);
    EXPECT_EQ(played.at(100, 24), kGreen);
    EXPECT_EQ(played.at(10, 80), kBlack);
    format.cfFormat = CF_BITMAP;
    EXPECT_EQ(data->QueryGetData(&format), DV_E_FORMATETC);
}

TEST_F(Control, QuickActivationConnectsThePropertySink) {
    auto changes = com::make<PropertyChanges>();
    QACONTAINER container{};
    container.cbSize = sizeof container;
    container.pPropertyNotifySink = changes.get();
    QACONTROL control{};
    control.cbSize = sizeof control;
    ASSERT_EQ(display_.query<IQuickActivate>()->QuickActivate(&container, &control), S_OK);
    EXPECT_EQ(control.dwMiscStatus, 131473u);
    EXPECT_EQ(control.dwViewStatus, static_cast<DWORD>(VIEWSTATUS_OPAQUE | VIEWSTATUS_SOLIDBKGND));
    EXPECT_NE(control.dwPropNotifyCookie, 0u);
    display_->put_TypeDisplay(tdAnalog);
    EXPECT_EQ(changes->changes, (std::vector<DISPID>{3}));
    com::ptr<IConnectionPointContainer> points = display_.query<IConnectionPointContainer>();
    com::ptr<IConnectionPoint> point;
    ASSERT_EQ(points->FindConnectionPoint(IID_IPropertyNotifySink, point.put()), S_OK);
    EXPECT_EQ(point->Unadvise(control.dwPropNotifyCookie), S_OK);
}
