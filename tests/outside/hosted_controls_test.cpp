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
#include "WaitUntil.h"
#include "WindowCapture.h"
#include "WindowInput.h"

#include "ZEVAudioDesign.h"
#include "ZEVAudioPlayer.h"

#include <gtest/gtest.h>

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
    testkit::PumpFor(50);
    return control;
  }

  com::apartment apartment_;
  std::unique_ptr<ui::TForm> form_;
  std::vector<LONG> changes_;
};

}  // namespace

TEST_F(Hosted, EqualizerDraggedOrKeyedByTheUserItTellsTheBandPutsDoNot) {
  ui::TOleControl& control = *place(storedWith({{3, 6.0f}}));
  ASSERT_TRUE(GetWindow(control.Handle(), GW_CHILD));
  EXPECT_FLOAT_EQ(band(control, 3), 6.0f);

  // Band 4's thumb (at 0 dB) dragged up by a quarter of the groove: +7.5 dB.
  const design::EqualizerLayout layout(kBounds);
  const POINT thumb{layout.columnX(3), layout.yOf(0.0f) + 2};
  const int quarter = (layout.bottom() - layout.top()) / 4;
  testkit::MouseDown(control, thumb.x, thumb.y);
  EXPECT_TRUE(changes_.empty());  // grabbing the thumb moves nothing
  testkit::MouseMove(control, thumb.x, thumb.y - quarter / 2);
  testkit::MouseMove(control, thumb.x + 15, thumb.y - quarter);
  testkit::MouseUp(control, thumb.x + 15, thumb.y - quarter);
  EXPECT_NEAR(band(control, 4), 7.5f, 0.3f);
  ASSERT_FALSE(changes_.empty());
  EXPECT_EQ(changes_, std::vector<LONG>(changes_.size(), 4));

  // The keys act on the band last clicked: right to band 5, up half a dB, end to the bottom.
  changes_.clear();
  testkit::PressKey(VK_RIGHT);
  testkit::PressKey(VK_UP);
  testkit::PressKey(VK_END);
  EXPECT_FLOAT_EQ(band(control, 5), -15.0f);
  EXPECT_EQ(changes_, (std::vector<LONG>{5, 5}));

  // A click on the groove brings the thumb there.
  changes_.clear();
  testkit::Click(control, layout.columnX(11), layout.top());
  EXPECT_FLOAT_EQ(band(control, 12), 15.0f);
  EXPECT_EQ(changes_, std::vector<LONG>{12});

  changes_.clear();
  EXPECT_EQ(control.Query<IZEVEqualizer>()->put_Band1(-3.0f), S_OK);
  EXPECT_EQ(control.Query<IZEVEqualizer>()->put_Band2(15.5f), E_INVALIDARG);
  testkit::PumpFor(50);
  EXPECT_TRUE(changes_.empty());
  EXPECT_FLOAT_EQ(band(control, 1), -3.0f);
  testkit::CaptureAndSave(control, "equalizer-used");
}

TEST_F(Hosted, EqualizerBandsSurviveTheStoredDataAndANewWindow) {
  ui::TOleControl& control = *place(storedWith({{1, -13.4f}, {12, 9.5f}}));
  control.Query<IZEVEqualizer>()->put_Band6(2.5f);
  control.RecreateWnd();
  testkit::PumpFor(50);
  EXPECT_FLOAT_EQ(band(control, 6), 2.5f);
  EXPECT_FLOAT_EQ(band(control, 1), -13.4f);

  ui::TOleControl& copy = *place(control.ControlData());
  EXPECT_FLOAT_EQ(band(copy, 6), 2.5f);
  EXPECT_FLOAT_EQ(band(copy, 12), 9.5f);

  // What the window shows: the panel, band 12's fill above 0 dB and band 1's below.
  auto shot = testkit::CaptureAndSave(copy, "equalizer-loaded");
  const design::EqualizerLayout layout(kBounds);
  EXPECT_EQ(shot->Pixel(2, 2), design::kPanelColor);
  EXPECT_EQ(shot->Pixel(layout.columnX(11), layout.yOf(5.0f)), design::kFillColor);
  EXPECT_EQ(shot->Pixel(layout.columnX(0), layout.yOf(-6.0f)), design::kFillColor);
  EXPECT_EQ(shot->Pixel(layout.columnX(4), layout.yOf(-6.0f)), RGB(14, 16, 22));  // an empty groove
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
  testkit::PumpFor(50);
  EXPECT_FALSE(player->Visible());
  ASSERT_TRUE(player->Query<IAudioPlayer>());
  EXPECT_EQ(GetWindow(player->Handle(), GW_CHILD), nullptr);  // no window of its own

  ASSERT_EQ(player->Query<IAudioPlayer>()->Play(), S_OK);
  EXPECT_TRUE(testkit::WaitUntil([&] { return ends > 0; }, 3000));
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(requests, 2);
  ASSERT_FALSE(timers.empty());
  EXPECT_LE(timers.back(), 4410);
}
