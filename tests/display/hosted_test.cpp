// The control hosted by the kit's container in a window: activation, sizing, sample blocks
// through late binding, and the pictures captured from its window.
#include "DisplayClient.h"
#include "HostWindow.h"
#include "Picture.h"

#include "com/Apartment.h"
#include "com/ControlHost.h"
#include "com/Variant.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGreen = RGB(0, 192, 0);

RECT childRect(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class Hosted : public ::testing::Test {
protected:
    // One parent window for all: taking a top-level window down costs Wine a wait for the
    // window manager that Xvfb does not have.
    static void SetUpTestSuite() {
        registerDisplayServer();
        parent_ = new HostWindow(400, 300);
    }
    static void TearDownTestSuite() { delete parent_; }

    void SetUp() override {
        ASSERT_TRUE(apartment_);
        ASSERT_TRUE(parent_->get());
        ASSERT_EQ(host_.create(CLSID_ZEVAudioDisplay, parent_->get(), RECT{10, 10, 260, 102}), S_OK);
        display_ = host_.query<IZEVAudioDisplay>();
        ASSERT_TRUE(display_);
    }

    // SendArray as a script calls it: by name, the array by reference in a VARIANT.
    void sendLateBound(int16_t value, size_t count = 440) {
        com::ptr<IDispatch> dispatch = host_.dispatch();
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR name = const_cast<LPOLESTR>(L"SendArray");
        ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
        com::safearray block = sampleArray(count, value);
        SAFEARRAY* raw = block.get();
        VARIANT argument;
        VariantInit(&argument);
        argument.vt = VT_ARRAY | VT_I2 | VT_BYREF;
        argument.pparray = &raw;
        DISPPARAMS params{&argument, nullptr, 1, 0};
        ASSERT_EQ(dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                                   nullptr),
                  S_OK);
    }

    // What the control's window shows now.
    Picture captured() {
        HostWindow::pump();
        const RECT r = childRect(host_.window());
        Picture picture(r.right - r.left, r.bottom - r.top);
        HDC dc = GetDC(host_.window());
        BitBlt(picture.dc(), 0, 0, picture.width(), picture.height(), dc, 0, 0, SRCCOPY);
        ReleaseDC(host_.window(), dc);
        return picture;
    }

    static inline HostWindow* parent_ = nullptr;
    com::apartment apartment_;
    com::ControlHost host_;
    com::ptr<IZEVAudioDisplay> display_;
};

}  // namespace

TEST_F(Hosted, ActivatesInItsOwnChildWindowAtThePosition) {
    const HWND window = host_.window();
    ASSERT_TRUE(window);
    EXPECT_EQ(GetParent(window), parent_->get());
    EXPECT_TRUE(IsWindowVisible(window));
    const RECT r = childRect(window);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 10);
    EXPECT_EQ(r.right, 260);
    EXPECT_EQ(r.bottom, 102);
}

TEST_F(Hosted, ShowsTheLevelsOfLateBoundSampleBlocks) {
    EXPECT_EQ(captured().at(100, 24), kBlack);
    sendLateBound(32767);
    Picture loud = captured();
    EXPECT_EQ(loud.at(100, 24), kGreen);
    EXPECT_NE(loud.at(100, 49), kBlack);  // the second channel
    sendLateBound(0, 0);
    EXPECT_EQ(captured().at(100, 24), kBlack);
}

TEST_F(Hosted, ShowsEveryDisplayType) {
    display_->put_FFTWindowsSize(256);
    sendLateBound(20000, 256);
    display_->put_TypeDisplay(tdAnalog);
    EXPECT_EQ(captured().at(60, 19), kGreen);  // the scope curve at 20000
    const COLORREF columnTop[] = {RGB(227, 85, 78), RGB(167, 160, 199), RGB(56, 170, 106)};
    for (int k = 0; k < 3; ++k) {
        display_->put_TypeDisplay(static_cast<TypeDisplay>(tdFFTFire + k));
        EXPECT_EQ(captured().at(22, 26), columnTop[k]) << k;
    }
}

TEST_F(Hosted, NeverBecomesSmallerThan250By80) {
    ASSERT_EQ(host_.move(RECT{20, 30, 120, 60}), S_OK);
    const RECT r = childRect(host_.window());
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right - r.left, 250);
    EXPECT_EQ(r.bottom - r.top, 80);
}

TEST_F(Hosted, ShrinkingLowersTheLevelBarHeight) {
    display_->put_OutLinesHeight(10);
    ASSERT_EQ(display_->put_OutLinesHeight(10), S_OK);
    SHORT height = 0;
    display_->get_OutLinesHeight(&height);
    ASSERT_EQ(height, 10);
    host_.move(RECT{10, 10, 260, 30});
    display_->get_OutLinesHeight(&height);
    EXPECT_EQ(height, 4);
}

TEST_F(Hosted, SampleBlocksNeverMoveOrResizeIt) {
    ASSERT_EQ(host_.move(RECT{5, 5, 305, 105}), S_OK);
    for (int i = 0; i < 50; ++i) sendLateBound(static_cast<int16_t>(i * 600));
    const RECT r = childRect(host_.window());
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 5);
    EXPECT_EQ(r.right, 305);
    EXPECT_EQ(r.bottom, 105);
}

TEST_F(Hosted, StartsFromAStoredState) {
    display_->put_TypeDisplay(tdFFTGlass);
    com::ptr<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
    ASSERT_EQ(host_.query<IPersistStreamInit>()->Save(stream.get(), TRUE), S_OK);
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    com::ControlHost other;
    ASSERT_EQ(other.create(CLSID_ZEVAudioDisplay, parent_->get(), RECT{0, 150, 250, 242}, stream.get()), S_OK);
    TypeDisplay type = tdOutLine;
    other.query<IZEVAudioDisplay>()->get_TypeDisplay(&type);
    EXPECT_EQ(type, tdFFTGlass);
}

TEST_F(Hosted, EventsOfAnInterfaceTheControlLacksAreRefused) {
    constexpr IID kOtherEvents = {0x5d3c1a70, 0x2b41, 0x4e8e, {0x9a, 0x61, 0x3f, 0x0b, 0x7e, 0x52, 0x11, 0xc4}};
    EXPECT_EQ(host_.sinkEvents(kOtherEvents, [](DISPID, const DISPPARAMS&) {}), CONNECT_E_NOCONNECTION);
}

TEST_F(Hosted, ClosingDestroysTheWindow) {
    const HWND window = host_.window();
    host_.close();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(host_);
}
