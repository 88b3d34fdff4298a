// The native tool bar on the test display: buttons with images and captions in their order,
// clicks, check buttons of one group, tool tips from hints, and the custom drawing of the bar
// and of a hot button that the skinned bars paint through.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ToolBar.h"
#include "WindowCapture.h"
#include "WindowInput.h"
#include "WindowTestKit.h"

using testkit::Pump;

namespace {

class Bar : public ::testing::Test {
 protected:
  void SetUp() override {
    form->SetBorderStyle(ui::bsNone);
    form->SetBounds(40, 40, 400, 120);
    images = new ui::TCustomImageList(form.get(), 16, 16);
    for (ui::TColor color : {ui::clRed, ui::clGreen, ui::clBlue}) {
      ui::TBitmap picture(16, 16);
      picture.Canvas().Brush().SetColor(color);
      picture.Canvas().FillRect({0, 0, 16, 16});
      images->Add(picture);
    }
    bar = new ui::TToolBar(form.get());
    bar->SetBounds(0, 0, 400, 60);
    bar->SetFlat(true);
    bar->SetShowCaptions(true);
    bar->SetImages(images);
    bar->SetButtonWidth(57);
    bar->SetButtonHeight(44);
    rip = AddButton("Rip Now", 0);
    refresh = AddButton("Refresh", 1);
    mp3 = AddButton("MP3", 2);
    ogg = AddButton("Ogg", 2);
    for (ui::TToolButton* b : {mp3, ogg}) {
      b->SetStyle(ui::tbsCheck);
      b->SetGrouped(true);
    }
    rip->SetHint("Extract");
    bar->SetParent(form.get());
    form->Show();
    Pump();
  }

  ui::TToolButton* AddButton(const char* caption, int image) {
    auto* button = new ui::TToolButton(form.get());
    button->SetCaption(caption);
    button->SetImageIndex(image);
    button->SetParent(bar);
    return button;
  }

  std::unique_ptr<ui::TForm> form = std::make_unique<ui::TForm>(nullptr);
  ui::TCustomImageList* images = nullptr;
  ui::TToolBar* bar = nullptr;
  ui::TToolButton *rip = nullptr, *refresh = nullptr, *mp3 = nullptr, *ogg = nullptr;
};

}  // namespace

TEST_F(Bar, ButtonsStandInTheirOrderAndAClickReachesTheButton) {
  ASSERT_EQ(bar->ButtonCount(), 4);
  EXPECT_EQ(SendMessageA(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 4);
  EXPECT_LT(rip->Left(), refresh->Left());
  EXPECT_GE(rip->Width(), 57);
  EXPECT_EQ(refresh->Index(), 1);
  testkit::SavePicture(*testkit::Capture(*bar), "tool_bar");
  std::vector<std::string> clicked;
  for (ui::TToolButton* b : {rip, refresh})
    b->OnClick = [&](ui::TComponent* sender) { clicked.push_back(static_cast<ui::TToolButton*>(sender)->Caption()); };
  testkit::Click(*refresh);
  testkit::Click(*rip);
  EXPECT_EQ(clicked, (std::vector<std::string>{"Refresh", "Rip Now"}));

  refresh->SetIndex(0);
  EXPECT_LT(refresh->Left(), rip->Left());
  char text[32] = "";
  SendMessageA(bar->Handle(), TB_GETBUTTONTEXTA, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Refresh");
  delete refresh;  // a button freed leaves the bar
  EXPECT_EQ(SendMessageA(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 3);
  EXPECT_EQ(rip->Index(), 0);
}

TEST_F(Bar, CheckButtonsOfOneGroupAreDownOneAtATimeAlsoAfterANewWindow) {
  testkit::Click(*mp3);
  EXPECT_TRUE(mp3->Down());
  testkit::Click(*ogg);
  EXPECT_TRUE(ogg->Down());
  EXPECT_FALSE(mp3->Down());
  bar->SetFlat(false);  // a new window
  EXPECT_TRUE(ogg->Down());
  EXPECT_FALSE(mp3->Down());
  mp3->SetDown(true);
  EXPECT_TRUE(mp3->Down());
}

TEST_F(Bar, ATipShowsTheButtonsHint) {
  NMTTDISPINFOA info{};
  info.hdr.code = TTN_GETDISPINFOA;
  info.hdr.idFrom = 1;  // the first button
  info.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageA(bar->Handle(), TB_GETTOOLTIPS, 0, 0));
  SendMessageA(bar->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  ASSERT_NE(info.lpszText, nullptr);
  EXPECT_STREQ(info.lpszText, "Extract");
}

TEST_F(Bar, TheBarAndAHotButtonAreDrawnByTheirHandlers) {
  std::vector<std::string> states;
  bar->OnCustomDraw = [&](ui::TToolBar* sender, const RECT& r, bool&) {
    sender->Canvas().Brush().SetColor(ui::clNavy);
    sender->Canvas().FillRect(r);
  };
  bar->OnCustomDrawButton = [&](ui::TToolBar* sender, ui::TToolButton* button, ui::TCustomDrawState state,
                                bool& defaultDraw) {
    if (!(state & ui::cdsHot)) return;
    states.push_back(button->Caption());
    defaultDraw = false;
    sender->Canvas().Brush().SetColor(ui::clYellow);
    sender->Canvas().FillRect(button->BoundsRect());
  };
  testkit::MouseMove(*refresh, 5, 5);
  RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  auto shot = testkit::Capture(*bar);
  testkit::SavePicture(*shot, "tool_bar_hot");
  ASSERT_FALSE(states.empty());
  EXPECT_EQ(states.back(), "Refresh");
  EXPECT_EQ(shot->Pixel(refresh->Left() + 2, refresh->Top() + 2), ui::clYellow);
  EXPECT_EQ(shot->Pixel(bar->Width() - 3, bar->Height() - 3), ui::clNavy);
}

TEST_F(Bar, AnImageListGoingIsForgottenAlsoWhenItWasTheHotImagesToo) {
  bar->SetHotImages(images);
  bar->SetHotImages(nullptr);
  delete images;
  EXPECT_EQ(bar->Images(), nullptr);
  bar->Invalidate();
  Pump();
  EXPECT_EQ(SendMessageA(bar->Handle(), TB_GETIMAGELIST, 0, 0), 0);
}

TEST_F(Bar, AMenuButtonDropsItsItemDownOrClicksIt) {
  auto* menu = new ui::TMainMenu(form.get());
  auto item = [&](const char* caption, ui::TMenuItem& parent) {
    auto* made = new ui::TMenuItem(form.get());
    made->SetCaption(caption);
    parent.Add(made);
    return made;
  };
  ui::TMenuItem* file = item("&File", menu->Items());
  ui::TMenuItem* open = item("&Open", *file);
  item("&Save", *file)->SetEnabled(false);
  ui::TMenuItem* help = item("&Help", menu->Items());
  help->SetEnabled(false);
  std::vector<std::string> clicked;
  for (ui::TMenuItem* leaf : {open, help})
    leaf->OnClick = [&](ui::TComponent* sender) { clicked.push_back(static_cast<ui::TMenuItem*>(sender)->Caption()); };
  ui::TToolButton* fileButton = AddButton("", -1);
  ui::TToolButton* helpButton = AddButton("", -1);
  fileButton->SetMenuItem(file);
  helpButton->SetMenuItem(help);
  EXPECT_EQ(fileButton->Caption(), "&File");
  EXPECT_FALSE(helpButton->Enabled());
  help->SetEnabled(true);
  helpButton->SetEnabled(true);
  testkit::Click(*helpButton);
  EXPECT_EQ(clicked, (std::vector<std::string>{"&Help"}));
  // The drop-down's own loop takes the keys that wait behind the click: the first item, Enter.
  testkit::ChooseFirstItemOfMenuAt(*bar, fileButton->Left() + 5, fileButton->Top() + 5);
  EXPECT_EQ(clicked, (std::vector<std::string>{"&Help", "&Open"}));
  EXPECT_FALSE(SendMessageA(bar->Handle(), TB_ISBUTTONPRESSED, 1 + fileButton->Index(), 0));
  delete file;  // the button forgets an item that goes
  EXPECT_EQ(fileButton->MenuItem(), nullptr);
}
