// The equalizer and the player through their registered servers, hosted on a form of the
// window framework as the player window hosts them (TOleControl from stored data, events to
// std::function handlers). The equalizer, dragged and keyed by the user, tells which band
// moved, puts do not, its bands survive the stored data and a new window, and it looks like an
// equalizer; the player keeps out of sight and plays with its events answered by handlers.
#include "PlayerClient.h"
#include "ServerDll.h"
#include "com/Apartment.h"
#include "com/SafeArray.h"
#include "com/SampleBlock.h"
#include "com/Stream.h"
#include "com/Variant.h"
#include "outside/ZEVAudioDesign/EqualizerDrawing.h"

#include "Application.h"
#include "Form.h"
#include "OleControl.h"

#include "ZEVAudioDesign.h"
#include "ZEVAudioPlayer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr RECT kBounds{0, 0, 300, 150};

// Stored data as a host keeps it: the stream of a control whose bands were put.
std::vector<uint8_t> storedWith(const std::vector<std::pair<int, float>>& bands) {
  com::ptr<IZEVEqualizer> equalizer;
  EXPECT_EQ(CoCreateInstance(CLSID_ZEVEqualizer, nullptr, CLSCTX_INPROC_SERVER, IID_IZEVEqualizer,
                             equalizer.put_void()),
            S_OK);
  com::ptr<IDispatch> dispatch = equalizer.query<IDispatch>();
  for (auto [band, value] : bands) {
    VARIANT argument;
    argument.vt = VT_R4;
    argument.fltVal = value;
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{&argument, &put, 1, 1};
    EXPECT_EQ(dispatch->Invoke(band, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr), S_OK);
  }
  com::ptr<IStream> stream;
  CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
  EXPECT_EQ(equalizer.query<IPersistStreamInit>()->Save(stream.get(), TRUE), S_OK);
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  std::vector<uint8_t> data(static_cast<size_t>(stat.cbSize.QuadPart));
  stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
  EXPECT_EQ(com::readBytes(stream.get(), data.data(), static_cast<ULONG>(data.size())), S_OK);
  return data;
}

// Band n read late-bound, as a script reads it.
float band(ui::TOleControl& control, int number) {
  VARIANT result;
  VariantInit(&result);
  DISPPARAMS none{};
  EXPECT_EQ(control.OleObject()->Invoke(number, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr),
            S_OK);
  return result.vt == VT_R4 ? result.fltVal : -99.0f;
}

void pump() {
  for (int i = 0; i < 3; ++i) {
    ui::Application().ProcessMessages();
    Sleep(10);
  }
  ui::Application().ProcessMessages();
}

// Input as the system posts it to the window under the pointer.
void post(HWND window, UINT message, WPARAM wParam, POINT at) {
  PostMessageW(window, message, wParam, MAKELPARAM(at.x, at.y));
  pump();
}

void saveBmp(HWND window, const char* name) {
  RECT r;
  GetClientRect(window, &r);
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), r.right, r.bottom, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, r.right, r.bottom, screen, 0, 0, SRCCOPY);
  const DWORD stride = (r.right * 3 + 3) & ~3u, size = stride * r.bottom;
  BITMAPFILEHEADER file{0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0, 0,
                        sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  if (FILE* f = std::fopen(name, "wb")) {
    std::fwrite(&file, sizeof file, 1, f);
    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f);
    std::fwrite(bits, 1, size, f);
    std::fclose(f);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
}

class Hosted : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(ServerDll(L"ZEVAudioDesign.dll").registerServer(), S_OK);
    ASSERT_EQ(ServerDll(L"ZEVAudioPlayer.dll").registerServer(), S_OK);
  }

  void SetUp() override {
    ASSERT_TRUE(apartment_);
    form_ = std::make_unique<ui::TForm>(nullptr);
    form_->SetBorderStyle(ui::bsNone);
    form_->SetBounds(40, 40, 320, 170);
  }

  ui::TOleControl* place(std::vector<uint8_t> data) {
    auto* control = new ui::TOleControl(form_.get(), CLSID_ZEVEqualizer, DIID__IZEVEqualizerEvents);
    control->SetBoundsRect(RECT{10, 10, 310, 160});
    control->SetControlData(std::move(data));
    control->SetParent(form_.get());
    control->SetEvent(1, [this](const DISPPARAMS& params) { changes_.push_back(params.rgvarg[0].lVal); });
    form_->Show();
    pump();
    return control;
  }

  HWND controlWindow(ui::TOleControl& control) { return GetWindow(control.Handle(), GW_CHILD); }

  com::apartment apartment_;
  std::unique_ptr<ui::TForm> form_;
  std::vector<LONG> changes_;
};

}  // namespace

TEST_F(Hosted, EqualizerDraggedOrKeyedByTheUserItTellsTheBandPutsDoNot) {
  ui::TOleControl& control = *place(storedWith({{3, 6.0f}}));
  HWND window = controlWindow(control);
  ASSERT_TRUE(window);
  EXPECT_FLOAT_EQ(band(control, 3), 6.0f);

  // Band 4's thumb (at 0 dB) dragged up by a quarter of the groove: +7.5 dB.
  const design::EqualizerLayout layout(kBounds);
  const POINT thumb{layout.columnX(3), layout.yOf(0.0f) + 2};
  const int quarter = (layout.bottom() - layout.top()) / 4;
  post(window, WM_LBUTTONDOWN, MK_LBUTTON, thumb);
  EXPECT_TRUE(changes_.empty());  // grabbing the thumb moves nothing
  post(window, WM_MOUSEMOVE, MK_LBUTTON, POINT{thumb.x, thumb.y - quarter / 2});
  post(window, WM_MOUSEMOVE, MK_LBUTTON, POINT{thumb.x + 15, thumb.y - quarter});
  post(window, WM_LBUTTONUP, 0, POINT{thumb.x + 15, thumb.y - quarter});
  EXPECT_NEAR(band(control, 4), 7.5f, 0.3f);
  ASSERT_FALSE(changes_.empty());
  EXPECT_EQ(changes_, std::vector<LONG>(changes_.size(), 4));

  // The keys act on the band last clicked: right to band 5, up half a dB, end to the bottom.
  changes_.clear();
  post(window, WM_KEYDOWN, VK_RIGHT, POINT{});
  post(window, WM_KEYDOWN, VK_UP, POINT{});
  post(window, WM_KEYDOWN, VK_END, POINT{});
  EXPECT_FLOAT_EQ(band(control, 5), -15.0f);
  EXPECT_EQ(changes_, (std::vector<LONG>{5, 5}));

  // A click on the groove brings the thumb there.
  changes_.clear();
  post(window, WM_LBUTTONDOWN, MK_LBUTTON, POINT{layout.columnX(11), layout.top()});
  post(window, WM_LBUTTONUP, 0, POINT{layout.columnX(11), layout.top()});
  EXPECT_FLOAT_EQ(band(control, 12), 15.0f);
  EXPECT_EQ(changes_, std::vector<LONG>{12});

  changes_.clear();
  EXPECT_EQ(control.Query<IZEVEqualizer>()->put_Band1(-3.0f), S_OK);
  EXPECT_EQ(control.Query<IZEVEqualizer>()->put_Band2(15.5f), E_INVALIDARG);
  pump();
  EXPECT_TRUE(changes_.empty());
  EXPECT_FLOAT_EQ(band(control, 1), -3.0f);
  saveBmp(window, "equalizer.bmp");
}

TEST_F(Hosted, EqualizerBandsSurviveTheStoredDataAndANewWindow) {
  ui::TOleControl& control = *place(storedWith({{1, -13.4f}, {12, 9.5f}}));
  control.Query<IZEVEqualizer>()->put_Band6(2.5f);
  control.RecreateWnd();
  pump();
  EXPECT_FLOAT_EQ(band(control, 6), 2.5f);
  EXPECT_FLOAT_EQ(band(control, 1), -13.4f);

  ui::TOleControl& copy = *place(control.ControlData());
  EXPECT_FLOAT_EQ(band(copy, 6), 2.5f);
  EXPECT_FLOAT_EQ(band(copy, 12), 9.5f);

  // What the window shows: the panel, band 12's fill above 0 dB and band 1's below.
  HWND window = controlWindow(copy);
  HDC dc = GetDC(window);
  const design::EqualizerLayout layout(kBounds);
  EXPECT_EQ(GetPixel(dc, 2, 2), design::kPanelColor);
  EXPECT_EQ(GetPixel(dc, layout.columnX(11), layout.yOf(5.0f)), design::kFillColor);
  EXPECT_EQ(GetPixel(dc, layout.columnX(0), layout.yOf(-6.0f)), design::kFillColor);
  EXPECT_EQ(GetPixel(dc, layout.columnX(4), layout.yOf(-6.0f)), RGB(14, 16, 22));  // an empty groove
  ReleaseDC(window, dc);
}

TEST_F(Hosted, PlayerStaysOutOfSightAndPlaysWithItsEventsAnsweredByHandlers) {
  auto* player = new ui::TOleControl(form_.get(), CLSID_AudioPlayer, DIID__IAudioPlayerEvents);
  player->SetBounds(0, 0, 32, 32);
  player->SetParent(form_.get());
  int requests = 0, ends = 0;
  std::vector<LONG> timers;
  player->SetEvent(1, [&](const DISPPARAMS&) {
    ++requests;
    // The whole "file" in one block, then no more.
    std::vector<int16_t> block;
    if (requests == 1) block = outside_test::sineFrames(4410, 2, 440, 3000);
    com::safearray array;
    ASSERT_EQ(com::makeSampleBlock(block, array.put()), S_OK);
    player->Query<IAudioPlayer>()->QueueBlock(*com::variant(std::move(array)).get());
  });
  player->SetEvent(3, [&](const DISPPARAMS&) { ++ends; });
  player->SetEvent(4, [&](const DISPPARAMS& p) { timers.push_back(p.rgvarg[2].lVal); });
  form_->Show();
  pump();
  EXPECT_FALSE(player->Visible());
  ASSERT_TRUE(player->Query<IAudioPlayer>());
  EXPECT_EQ(GetWindow(player->Handle(), GW_CHILD), nullptr);  // no window of its own

  ASSERT_EQ(player->Query<IAudioPlayer>()->Play(), S_OK);
  for (int i = 0; i < 100 && ends == 0; ++i) pump();
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(requests, 2);
  ASSERT_FALSE(timers.empty());
  EXPECT_LE(timers.back(), 4410);
}
