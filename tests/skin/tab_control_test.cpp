// The skinned tab and page controls: tab widths and hit testing without a window; clicks on a
// real strip, page upkeep, activation and its events, loading, and a picture of each control
// in every style.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Edit.h"
#include "KIVButton.h"
#include "KIVPageControl.h"
#include "WindowCapture.h"
#include "WindowInput.h"
#include "WindowTestKit.h"

namespace {

using kiv::TkivUIStyle;

TEST(TabGeometry, WidthsFollowTheCaption) {
  EXPECT_EQ(kiv::TabWidth("", 0), 80);
  EXPECT_EQ(kiv::TabWidth("Output", 37), 57);
  EXPECT_EQ(kiv::TabWidth("i", -10), 15);
}

TEST(TabGeometry, OnlyPointsStrictlyInsideAShownTabHitIt) {
  const std::vector<int> widths{50, 0, 40, -1, 30};
  EXPECT_EQ(kiv::TabAtPoint(widths, 10, 20, 11, 1), 0);
  EXPECT_EQ(kiv::TabAtPoint(widths, 10, 20, 10, 5), -1);  // left edge
  EXPECT_EQ(kiv::TabAtPoint(widths, 10, 20, 60, 5), -1);  // the edge between 0 and 2
  EXPECT_EQ(kiv::TabAtPoint(widths, 10, 20, 61, 5), 2);   // the hidden tab 1 takes no room
  EXPECT_EQ(kiv::TabAtPoint(widths, 10, 20, 30, 0), -1);
  EXPECT_EQ(kiv::TabAtPoint(widths, 10, 20, 30, 20), -1);  // below the tab height
  EXPECT_EQ(kiv::TabAtPoint(widths, 10, 20, 110, 5), -1);  // a never painted tab ends the walk
}

// A form with a control of type T on it, shown on the test display.
template <typename T>
struct Hosted {
  std::unique_ptr<ui::TForm> form = std::make_unique<ui::TForm>(nullptr);
  T* control = ui::Create<T>(form.get());
  std::vector<int> activated;

  explicit Hosted(TkivUIStyle style = TkivUIStyle::DeepBlue, int width = 400) {
    form->SetBorderStyle(ui::bsNone);
    form->SetBounds(20, 20, width + 20, 220);
    form->SetColor(ui::clWhite);
    control->SetName("tabs");
    control->SetBounds(10, 10, width, 200);
    control->SetUIStyle(style);
    control->SetParent(form.get());
    control->OnTabActive = [this](ui::TComponent*, int index) { activated.push_back(index); };
    form->Show();
    testkit::Pump();
  }

  // The point in the middle of tab i as the strip drew it last.
  POINT TabCentre(int i) {
    kiv::TkivTabControlTopPanel& strip = control->Strip();
    strip.Repaint();
    int x = strip.LeftMargin();
    for (int k = 0; k < i; ++k) x += strip.TabWidths().at(k);
    return {x + strip.TabWidths().at(i) / 2, strip.TabHeight() / 2};
  }
};

kiv::TkivTabSheet* AddPage(kiv::TkivPageControl& control, const std::string& name, int* shows = nullptr) {
  auto* page = new kiv::TkivTabSheet(control.Owner());
  page->SetName(name);
  page->SetCaption(name);
  if (shows) page->OnShow = [shows](ui::TComponent*) { ++*shows; };
  page->SetParent(&control);
  return page;
}

TEST(TabControl, ANewTabControlHasOneSelectedTabAndANewPageControlNone) {
  Hosted<kiv::TkivTabControl> tabs;
  ASSERT_EQ(tabs.control->Tabs().Count(), 1);
  EXPECT_EQ(tabs.control->Tabs()[0], "Tab1");
  EXPECT_EQ(tabs.control->TabIndex(), 0);
  Hosted<kiv::TkivPageControl> pages;
  EXPECT_EQ(pages.control->PageCount(), 0);
  EXPECT_EQ(pages.control->Strip().Tabs().Count(), 0);
  EXPECT_EQ(pages.control->ActivePage(), nullptr);
}

TEST(TabControl, ClicksSelectTabsAndRaiseOnTabActiveEveryTime) {
  Hosted<kiv::TkivTabControl> tabs;
  tabs.control->Tabs().SetText("One\nTwo\nThree");
  kiv::TkivTabControlTopPanel& strip = tabs.control->Strip();
  const POINT two = tabs.TabCentre(1);
  testkit::Click(strip, two.x, two.y);
  testkit::Click(strip, two.x, two.y);
  const POINT three = tabs.TabCentre(2);
  testkit::Click(strip, three.x, three.y, ui::mbRight);
  EXPECT_EQ(tabs.activated, (std::vector<int>{1, 1, 2}));
  // Below the active tab's picture, and on the edge between two tabs, nothing is hit.
  testkit::Click(strip, two.x, strip.TabHeight());
  testkit::Click(strip, strip.LeftMargin() + strip.TabWidths()[0], two.y);
  EXPECT_EQ(tabs.activated.size(), 3u);
  tabs.control->SetTabIndex(-1);
  EXPECT_EQ(tabs.control->TabIndex(), -1);
  EXPECT_EQ(tabs.activated.back(), -1);
  tabs.control->SetTabIndex(7);  // out of range: only a repaint
  EXPECT_EQ(tabs.control->TabIndex(), -1);
  EXPECT_EQ(tabs.activated.size(), 4u);
}

TEST(TabControl, AHundredTabsAreMeasuredHitAndHiddenByPosition) {
  Hosted<kiv::TkivTabControl> tabs(TkivUIStyle::WinXP, 1200);
  ui::TStringList captions;
  for (int i = 0; i < 100; ++i) captions.Add(std::to_string(i));
  tabs.control->SetTabs(captions);
  kiv::TkivTabControlTopPanel& strip = tabs.control->Strip();
  strip.SetTabVisible(70, false);
  const POINT p = tabs.TabCentre(90);
  ASSERT_EQ(strip.TabWidths().size(), 100u);
  EXPECT_GT(strip.TabWidths()[63], 0) << "positions past 63 are measured";
  EXPECT_EQ(strip.TabWidths()[70], 0);
  testkit::MouseDown(strip, p.x, p.y);
  testkit::MouseUp(strip, p.x, p.y);
  EXPECT_EQ(tabs.control->TabIndex(), 90);
  // Where tab 70 would be, tab 71 is.
  const POINT q = tabs.TabCentre(71);
  testkit::Click(strip, q.x, q.y);
  EXPECT_EQ(tabs.control->TabIndex(), 71);
}

TEST(PageControl, ShowingAPageRaisesOnShowThriceAndOnTabActiveTwice) {
  Hosted<kiv::TkivPageControl> pc;
  int shows[3] = {0, 0, 0};
  kiv::TkivTabSheet* pages[3];
  for (int i = 0; i < 3; ++i) pages[i] = AddPage(*pc.control, "Page" + std::to_string(i), &shows[i]);
  EXPECT_EQ(pc.control->ActivePage(), pages[2]) << "a new page becomes the active one";
  EXPECT_EQ(pc.control->Strip().Tabs().Text(), "Page0\r\nPage1\r\nPage2\r\n");
  pc.activated.clear();
  shows[0] = 0;
  pc.control->SetActivePage(pages[0]);
  EXPECT_EQ(shows[0], 3);
  EXPECT_EQ(pc.activated, (std::vector<int>{0, 0}));
  const POINT tab = pc.TabCentre(1);
  testkit::Click(pc.control->Strip(), tab.x, tab.y);
  EXPECT_EQ(pc.control->ActivePage(), pages[1]);
  EXPECT_EQ(pc.control->Strip().TabIndex(), 1);
}

TEST(PageControl, NoTabOrAForeignSheetLeavesNoActivePage) {
  Hosted<kiv::TkivPageControl> pc;
  AddPage(*pc.control, "A");
  AddPage(*pc.control, "B");
  pc.control->Strip().SetTabIndex(-1);
  EXPECT_EQ(pc.control->ActivePage(), nullptr);
  EXPECT_EQ(pc.activated.back(), -1);
  auto* stranger = new kiv::TkivTabSheet(pc.form.get());
  pc.control->SetActivePage(stranger);
  EXPECT_EQ(pc.control->ActivePage(), nullptr);
}

TEST(PageControl, RemovingPagesActivatesThePreviousOneOrNone) {
  Hosted<kiv::TkivPageControl> pc;
  auto* a = AddPage(*pc.control, "A");
  auto* b = AddPage(*pc.control, "B");
  auto* c = AddPage(*pc.control, "C");
  c->SetParent(nullptr);
  EXPECT_EQ(pc.control->ActivePage(), b);
  EXPECT_EQ(c->PageControl(), nullptr);
  c->SetTabVisible(false);  // a page that left no longer reaches the strip
  EXPECT_TRUE(pc.control->Strip().TabVisible(2));
  a->SetParent(nullptr);
  EXPECT_EQ(pc.control->ActivePage(), nullptr) << "removing the first page leaves none active";
  EXPECT_EQ(b->PageIndex(), 0);
  // The strip's index now lies past the one tab left: it paints without an active tab.
  EXPECT_EQ(pc.control->Strip().TabIndex(), 1);
  pc.control->Strip().Repaint();
  delete b;  // a page destroyed leaves the control first
  EXPECT_EQ(pc.control->PageCount(), 0);
  EXPECT_EQ(pc.control->Strip().Tabs().Count(), 0);
}

TEST(PageControl, HidingATabBringsTheNearestShownPageForward) {
  Hosted<kiv::TkivPageControl> pc;
  auto* a = AddPage(*pc.control, "A");
  auto* b = AddPage(*pc.control, "B");
  auto* c = AddPage(*pc.control, "C");
  c->SetTabVisible(false);
  EXPECT_EQ(pc.control->ActivePage(), b);
  a->SetTabVisible(false);
  b->SetTabVisible(false);  // the only shown tab: nothing else changes
  EXPECT_EQ(pc.control->ActivePage(), b);
  a->SetTabVisible(true);
  EXPECT_EQ(pc.control->ActivePage(), a);
  b->SetTabVisible(true);
  b->SetPageIndex(0);
  EXPECT_EQ(pc.control->Pages(0), b);
  EXPECT_EQ(pc.control->ActivePage(), b);
  EXPECT_FALSE(c->TabVisible());
  b->SetPageIndex(5);  // out of range: it stays
  EXPECT_EQ(b->PageIndex(), 0);
}

TEST(PageControl, PagesLoadedInAnyOrderTakeTheStoredOrder) {
  ui::TForm form(nullptr);
  {
    ui::TLayoutLoading loading(form);
    auto* pc = ui::Create<kiv::TkivPageControl>(&form);
    pc->SetName("pc");
    pc->SetParent(&form);
    pc->ReadStoredPages({"First", "Second", "Third"});
    for (const char* name : {"Third", "Second", "First"}) {
      auto* page = new kiv::TkivTabSheet(&form);
      page->SetName(name);
      page->SetParent(pc);
      page->SetCaption(name);
      page->SetTabVisible(std::string(name) != "Second");
      page->ReadStoredPageControl("pc");
    }
  }
  auto* pc = static_cast<kiv::TkivPageControl*>(form.FindComponent("pc"));
  EXPECT_EQ(pc->Pages(0)->Name(), "First");
  EXPECT_EQ(pc->Pages(2)->Name(), "Third");
  EXPECT_EQ(pc->Strip().Tabs().Text(), "First\r\nSecond\r\nThird\r\n");
  EXPECT_FALSE(pc->Pages(1)->TabVisible());
  EXPECT_TRUE(pc->Pages(2)->TabVisible());
}

TEST(PageControl, FocusMovedToAControlOnAPageBehindBringsItsPageForward) {
  Hosted<kiv::TkivPageControl> pc;
  kiv::TkivTabSheet* first = AddPage(*pc.control, "First");
  kiv::TkivTabSheet* second = AddPage(*pc.control, "Second");
  auto* edit = new ui::TEdit(pc.form.get());
  edit->SetParent(first);
  edit->SetBounds(10, 10, 100, 22);
  auto* fast = ui::Create<kiv::TkivCheckBox>(pc.form.get());
  fast->SetParent(second);
  fast->SetBounds(10, 40, 100, 20);
  fast->SetCaption("&Fast");
  const auto shownAt = [](ui::TWinControl& control) {
    POINT middle{control.Width() / 2, control.Height() / 2};
    ClientToScreen(control.Handle(), &middle);
    return ui::TWinControl::FindControl(WindowFromPoint(middle));
  };
  ASSERT_EQ(pc.control->ActivePage(), second);

  // From code.
  edit->SetFocus();
  testkit::Pump();
  EXPECT_EQ(pc.control->ActivePage(), first);
  EXPECT_EQ(pc.control->Strip().TabIndex(), 0);
  EXPECT_EQ(shownAt(*edit), edit);
  // By its accelerator.
  testkit::PressKey('F', ui::ssAlt);
  EXPECT_EQ(pc.control->ActivePage(), second);
  EXPECT_TRUE(fast->Focused());
  EXPECT_TRUE(fast->Checked());
  EXPECT_EQ(shownAt(*fast), fast);
}

TEST(PageControl, TheStripShowsTheControlsCursor) {
  Hosted<kiv::TkivPageControl> pc;
  AddPage(*pc.control, "Pointed");
  pc.control->SetCursor(ui::crHandPoint);
  EXPECT_EQ(pc.control->Strip().Cursor(), ui::crHandPoint);
  testkit::Hover(pc.control->Strip(), 5, 5);
  EXPECT_TRUE(testkit::WaitUntil([] { return GetCursor() == LoadCursorA(nullptr, IDC_HAND); }));
}

TEST(TabControl, CustomKeepsTheStyleColoursAndPictures) {
  Hosted<kiv::TkivTabControl> tabs(TkivUIStyle::Protein);
  const ui::TColor color = tabs.control->Color(), border = tabs.control->BorderColor();
  const int height = tabs.control->Strip().Height();
  tabs.control->SetUIStyle(TkivUIStyle::Custom);
  EXPECT_EQ(tabs.control->UIStyle(), TkivUIStyle::Protein);
  EXPECT_EQ(tabs.control->Color(), color);
  EXPECT_EQ(tabs.control->BorderColor(), border);
  EXPECT_EQ(tabs.control->Strip().Height(), height);
  tabs.control->SetUIStyle(TkivUIStyle::WinXP);
  EXPECT_EQ(tabs.control->Color(), ui::clWhite);
}

TEST(TabControl, TheLeftMarginPlacesTheTabsAndTheTabFontSizesAndColoursThem) {
  Hosted<kiv::TkivTabControl> tabs;
  tabs.control->Tabs().SetText("Tracks\nArtists");
  kiv::TkivTabControlTopPanel& strip = tabs.control->Strip();
  const POINT first = tabs.TabCentre(0);
  const int width = strip.TabWidths().at(0);
  tabs.control->SetLeftMargin(60);
  EXPECT_EQ(tabs.TabCentre(0).x, first.x + 50);
  const POINT second = tabs.TabCentre(1);
  testkit::Click(strip, second.x, second.y);
  EXPECT_EQ(tabs.control->TabIndex(), 1) << "clicks follow the tabs where they are now drawn";

  ui::TFont font;
  font.Assign(tabs.control->TabFont());
  font.SetSize(16);
  font.SetColor(ui::clRed);
  tabs.control->SetTabFont(font);
  testkit::Pump();
  auto shot = testkit::Capture(strip);
  EXPECT_GT(strip.TabWidths().at(0), width);
  int red = 0;
  for (int y = 0; y < strip.TabHeight(); ++y)
    for (int x = 0; x < shot->Width(); ++x) red += shot->Pixel(x, y) == ui::clRed;
  EXPECT_GT(red, 20) << "the captions are written in the tab font's colour";
  EXPECT_NE(tabs.control->Font().Color(), ui::clRed) << "the panel's own font is not the tab font";
}

// The strip and body as drawn: each tab's caption written inside the tab, the selected tab
// drawn unlike the others, and the body below the strip in the given colour.
void ExpectTabsDrawn(kiv::TkivTab& control, int selected, ui::TColor body, const std::string& style) {
  kiv::TkivTabControlTopPanel& strip = control.Strip();
  strip.Repaint();
  auto shot = testkit::Capture(strip);
  const std::vector<int> widths = strip.TabWidths();
  auto edge = [&](int x) {
    std::vector<ui::TColor> column;
    for (int y = 0; y < strip.TabHeight(); ++y) column.push_back(shot->Pixel(x, y));
    return column;
  };
  std::vector<std::vector<ui::TColor>> edges;
  int x = strip.LeftMargin();
  for (size_t i = 0; i < widths.size(); ++i) {
    int dark = 0;
    for (int y = 2; y < strip.TabHeight() - 2; ++y)
      for (int px = x + 2; px < x + widths[i] - 2; ++px) {
        const ui::TColor c = shot->Pixel(px, y);
        dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
      }
    EXPECT_GT(dark, 10) << "the caption of tab " << i << " in style " << style;
    edges.push_back(edge(x + 3));
    x += widths[i];
  }
  for (size_t i = 0; i < edges.size(); ++i)
    if (static_cast<int>(i) != selected) {
      EXPECT_NE(edges[i], edges.at(selected)) << "tab " << i << " in style " << style;
    }
  auto whole = testkit::Capture(control);
  EXPECT_EQ(whole->Pixel(control.Width() / 2, strip.Height() + 20), ui::ColorToRGB(body)) << style;
}

// A page control with three pages and a tab control, in each style, saved for a person to look
// at and checked as drawn.
TEST(TabPictures, EveryStyle) {
  for (TkivUIStyle style : {TkivUIStyle::MacOS, TkivUIStyle::WinXP, TkivUIStyle::DeepBlue,
                            TkivUIStyle::Protein, TkivUIStyle::BlueGlass}) {
    const std::string name = std::to_string(static_cast<int>(style));
    Hosted<kiv::TkivPageControl> pc(style);
    for (const char* caption : {"Output", "Free CDDB", "Ogg", "Mp3"}) AddPage(*pc.control, caption);
    pc.control->SetActivePage(pc.control->Pages(1));
    // Without the focus (the strip no Tab stop, so the form's activation gives it none) no
    // dotted frame shows; with it, the frame shows inside the selected tab and nowhere else.
    pc.control->Strip().SetTabStop(false);
    pc.form->SetActiveControl(nullptr);
    SetFocus(pc.form->Handle());
    ASSERT_TRUE(testkit::WaitUntil([&] { return GetFocus() == pc.form->Handle(); }));
    const auto plain = testkit::CaptureAndSave(*pc.form, "page_control_style" + name);
    pc.control->Strip().SetTabStop(true);
    pc.control->Strip().SetFocus();
    ASSERT_TRUE(testkit::WaitUntil([&] { return pc.control->Strip().Focused(); }));
    const auto focused = testkit::CaptureAndSave(*pc.form, "page_control_focused_style" + name);
    const std::vector<int>& widths = pc.control->Strip().TabWidths();
    const int left = pc.control->Left() + pc.control->LeftMargin() + widths.at(0);
    const RECT tab{left, pc.control->Top(), left + widths.at(1), pc.control->Top() + pc.control->Strip().Height()};
    int inside = 0, outside = 0;
    for (int y = 0; y < focused->Height(); ++y)
      for (int x = 0; x < focused->Width(); ++x)
        if (!testkit::ColorNear(focused->Pixel(x, y), plain->Pixel(x, y), 8))
          ++(PtInRect(&tab, {x, y}) ? inside : outside);
    EXPECT_GT(inside, 20) << name;
    EXPECT_EQ(outside, 0) << name;
    ExpectTabsDrawn(*pc.control, 1, pc.control->Pages(1)->Color(), name);
    Hosted<kiv::TkivTabControl> tabs(style);
    tabs.control->Tabs().SetText("Tracks\nArtists\nAlbums");
    tabs.control->SetTabIndex(0);
    testkit::CaptureAndSave(*tabs.form, "tab_control_style" + name);
    ExpectTabsDrawn(*tabs.control, 0, tabs.control->Color(), name);
  }
}

}  // namespace
