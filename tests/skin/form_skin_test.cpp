// The form skin on real windows: what each style writes, the refusals, the frame and caption
// on the screen, the title bar's buttons, dragging, maximising and edge sizing, and a capture of
// a skinned window in every style under the build folder.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "WindowTestKit.h"
#include "Application.h"
#include "KIVButton.h"
#include "KIVForm.h"
#include "KIVMainMenu.h"
#include "KIVPublic.h"
#include "Menus.h"
#include "ToolBar.h"
#include "MessageBoxes.h"

namespace {

using namespace kiv;
using testkit::Pump;

using skintest::MessageBoxes;

struct SkinnedWindow {
  explicit SkinnedWindow(TkivUIStyle style = TkivUIStyle::DeepBlue, int width = 400, int height = 300) {
    form = std::make_unique<ui::TForm>(nullptr);
    form->SetCaption("Track list");
    form->SetBounds(60, 40, width, height);
    skin = new TkivForm(form.get());
    skin->SetUIStyle(style);
    form->SetBounds(60, 40, width, height);
  }
  // A main menu as a window layout makes it: File (Open, a separator, Exit), Edit, Help.
  void AddMenu() {
    ui::TLayoutLoading loading(*form);
    menu = new TkivMainMenu(form.get());
    ui::TMenuItem* file = AddItem(menu->Items(), "&File");
    AddItem(*file, "&Open...")->SetShortCut(ui::ShortCut('O', ui::ssCtrl));
    AddItem(*file, "-");
    AddItem(*file, "E&xit");
    AddItem(menu->Items(), "&Edit");
    AddItem(*AddItem(menu->Items(), "&Help"), "&About");
  }
  ui::TMenuItem* AddItem(ui::TMenuItem& parent, const char* caption) {
    auto* item = new ui::TMenuItem(form.get());
    item->SetCaption(caption);
    parent.Add(item);
    return item;
  }
  void Show() {
    form->Show();
    Pump();
  }
  TkivTitleBar& bar() const { return skin->TitleBar(); }
  // The middle of the title bar's button of that type, in bar coordinates.
  POINT ButtonPoint(TkivTitleBarBtnType type) const {
    for (int x = 0; x < bar().Width(); ++x)
      for (int y = 0; y < bar().Height(); ++y) {
        const int index = bar().ButtonAt({x, y});
        if (index >= 0 && bar().Buttons().Items(index).ButtonType() == type) return {x + 4, y + 4};
      }
    ADD_FAILURE() << "no button of type " << type;
    return {0, 0};
  }
  void Click(POINT p) {
    testkit::Send(bar(), WM_LBUTTONDOWN, MK_LBUTTON, testkit::At(p.x, p.y));
    testkit::Send(bar(), WM_LBUTTONUP, 0, testkit::At(p.x, p.y));
    Pump();
  }
  std::unique_ptr<ui::TForm> form;
  TkivForm* skin;
  TkivMainMenu* menu = nullptr;
};

ui::TColor WindowPixel(HWND wnd, int x, int y) {
  com::window_dc dc = com::window_dc::client(wnd);
  return GetPixel(dc.get(), x, y);
}

TEST(FormSkinStyles, EachStyleWritesItsFrameColoursOffsetsAndMinimumSize) {
  for (TkivUIStyle style : {TkivUIStyle::MacOS, TkivUIStyle::WinXP, TkivUIStyle::DeepBlue,
                            TkivUIStyle::Protein, TkivUIStyle::BlueGlass}) {
    SCOPED_TRACE(static_cast<int>(style));
    SkinnedWindow w(style);
    EXPECT_EQ(w.skin->BorderColor(), GetThemeColor(style, 2));
    EXPECT_EQ(w.skin->Color(), GetThemeColor(style, 3));
    EXPECT_EQ(w.skin->MenuBarColor(), GetThemeColor(style, 3));
    EXPECT_EQ(w.skin->BorderWidth(), GetThemeInteger(style, 4));
    EXPECT_EQ(w.form->Constraints().MinWidth, GetThemeInteger(style, 6));
    EXPECT_EQ(w.form->Constraints().MinHeight, 50);
    EXPECT_EQ(w.bar().RegionRadius(), GetThemeInteger(style, 7));
    EXPECT_EQ(w.bar().LeftBtnXOffset(), GetThemeInteger(style, 67));
    EXPECT_EQ(w.bar().RightBtnXOffset(), GetThemeInteger(style, 68));
    EXPECT_EQ(w.bar().Sections().Count(), 3);
    EXPECT_EQ(w.bar().Height(), w.bar().Sections().Items(0).Picture().Height());
    for (int i = 0; i < w.bar().Buttons().Count(); ++i) {
      EXPECT_EQ(w.bar().Buttons().Items(i).Top(), GetThemeInteger(style, 69));
      EXPECT_EQ(w.bar().Buttons().Items(i).Transparent(), GetThemeBoolean(style, 66));
    }
  }
}

TEST(FormSkinStyles, DeepBlueGivesAThinBlackFrameAndTheTitleBarsMinimumWidth) {
  SkinnedWindow w(TkivUIStyle::WinXP);
  w.skin->SetUIStyle(TkivUIStyle::DeepBlue);
  EXPECT_EQ(w.skin->BorderWidth(), 1);
  EXPECT_EQ(w.skin->BorderColor(), ui::clBlack);
  EXPECT_EQ(w.form->Constraints().MinWidth, 130);
  EXPECT_EQ(w.form->Constraints().MinHeight, 50);
}

TEST(FormSkinStyles, CustomChangesNothingButTheStoredStyle) {
  SkinnedWindow w(TkivUIStyle::WinXP);
  w.skin->SetBorderColor(ui::clRed);
  const RECT bounds = w.form->BoundsRect();
  w.skin->SetUIStyle(TkivUIStyle::Custom);
  EXPECT_EQ(w.skin->UIStyle(), TkivUIStyle::Custom);
  EXPECT_EQ(w.skin->BorderColor(), ui::clRed);
  EXPECT_EQ(w.skin->BorderWidth(), 3);
  EXPECT_EQ(w.bar().UIStyle(), TkivUIStyle::WinXP);
  const RECT after = w.form->BoundsRect();
  EXPECT_TRUE(EqualRect(&bounds, &after));
}

TEST(FormSkinGeometry, TheSkinPanelFillsTheFrameAndHeightRoundTrips) {
  SkinnedWindow w(TkivUIStyle::WinXP);
  w.Show();
  EXPECT_EQ(w.skin->Left(), 3);
  EXPECT_EQ(w.skin->Top(), 0);
  EXPECT_EQ(w.skin->Width(), 394);
  EXPECT_EQ(w.skin->Height(), 297);
  w.skin->SetHeight(200);
  EXPECT_EQ(w.form->Height(), 203);
  EXPECT_EQ(w.skin->Height(), 200);
  // A style write sets the size again and must not grow the window.
  w.skin->SetUIStyle(TkivUIStyle::WinXP);
  EXPECT_EQ(w.form->Height(), 203);
  w.skin->SetTitleBarVisible(false);
  w.skin->SetHeight(200);
  EXPECT_EQ(w.skin->Top(), 3);
  EXPECT_EQ(w.skin->Height(), 200);
  w.skin->SetWidth(250);
  EXPECT_EQ(w.form->Width(), 256);
  EXPECT_EQ(w.skin->Width(), 250);
}

TEST(FormSkinRefusals, SorryMessagesKeepTheOldValue) {
  MessageBoxes boxes;
  SkinnedWindow w;
  w.skin->SetFormPanel(w.skin);
  EXPECT_EQ(w.skin->FormPanel(), nullptr);
  TkivTitleBarSections& sections = w.bar().Sections();
  sections.Items(0).SetAlign(kivClient);
  EXPECT_EQ(sections.Items(0).Align(), kivLeft);
  TkivTitleBarButtons& buttons = w.bar().Buttons();
  ASSERT_EQ(buttons.Items(0).ButtonType(), kivControlBox);
  buttons.Items(1).SetButtonType(kivControlBox);
  EXPECT_EQ(buttons.Items(1).ButtonType(), kivClose);
  ASSERT_EQ(boxes.texts.size(), 3u);
  EXPECT_EQ(boxes.texts[0], "Sorry, you can't select the Form assign to FormPanel property");
  EXPECT_EQ(boxes.texts[1], "Sorry, only one section's Align property can be \"kivClient\"");
  EXPECT_EQ(boxes.texts[2], "Sorry, only one button's ButtonType property can be \"kivControlBox\"");
  // Writing the value an item already holds is no conflict.
  sections.Items(2).SetAlign(kivClient);
  buttons.Items(0).SetButtonType(kivControlBox);
  EXPECT_EQ(boxes.texts.size(), 3u);
}

TEST(FormSkinPanel, APlainPanelFillsTheSkinWithoutBevelsOrCaption) {
  SkinnedWindow w;
  auto* panel = new ui::TPanel(w.form.get());
  panel->SetCaption("Tracks");
  panel->SetParent(w.skin);
  w.skin->SetFormPanel(panel);
  EXPECT_EQ(w.skin->FormPanel(), panel);
  EXPECT_EQ(panel->Align(), ui::alClient);
  EXPECT_EQ(panel->BevelOuter(), ui::bvNone);
  EXPECT_EQ(panel->Caption(), "");
  delete panel;
  EXPECT_EQ(w.skin->FormPanel(), nullptr);
}

TEST(FormSkinRefusals, NoMessageBoxWhileALayoutLoads) {
  MessageBoxes boxes;
  ui::TForm form(nullptr);
  ui::TLayoutLoading loading(form);
  auto* skin = new TkivForm(&form);
  EXPECT_THROW(skin->TitleBarButtons().Items(2).SetButtonType(kivControlBox), std::invalid_argument);
  EXPECT_EQ(skin->TitleBarButtons().Items(2).ButtonType(), kivMax);
  EXPECT_TRUE(boxes.texts.empty());
}

TEST(FormSkinRefusals, ASecondSkinIsRefusedBeforeAnythingIsMade) {
  SkinnedWindow w;
  const int components = w.form->ComponentCount();
  const int controls = w.form->ControlCount();
  try {
    new TkivForm(w.form.get());
    FAIL() << "a second skin was made";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Sorry, You can create only one TkivForm component in one form!");
  }
  EXPECT_EQ(w.form->ComponentCount(), components);
  EXPECT_EQ(w.form->ControlCount(), controls);
  ui::TComponent owner(nullptr);
  EXPECT_THROW(new TkivForm(&owner), std::invalid_argument);
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(FormSkinWindow, TheSystemCaptionGoesAndTheFrameIsPainted) {
  SkinnedWindow w(TkivUIStyle::WinXP);
  w.skin->SetBorderColor(0x0000C0);
  w.Show();
  HWND wnd = w.form->Handle();
  EXPECT_EQ(GetWindowLongPtrA(wnd, GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_EQ(w.skin->Caption(), "Track list");
  EXPECT_EQ(w.bar().Caption(), "Track list");
  RECT client;
  GetClientRect(wnd, &client);
  EXPECT_EQ(client.right, 400);
  EXPECT_EQ(WindowPixel(wnd, 1, 150), 0x0000C0u);
  EXPECT_EQ(WindowPixel(wnd, 398, 150), 0x0000C0u);
  EXPECT_EQ(WindowPixel(wnd, 200, 298), 0x0000C0u);
  // WinXP's rounded top corners: the corner pixel is outside the window's region.
  com::gdi_region region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(wnd, region.get()), ERROR);
  EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
  EXPECT_TRUE(PtInRegion(region.get(), 0, 299));
}

TEST(FormSkinWindow, TheCloseButtonClosesTheWindow) {
  SkinnedWindow w;
  int closes = 0;
  w.form->OnClose = [&](ui::TComponent*, ui::TCloseAction&) { ++closes; };
  w.Show();
  w.Click(w.ButtonPoint(kivClose));
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(w.form->Visible());
}

TEST(FormSkinWindow, AButtonEventThatFreesTheWindowIsSurvived) {
  SkinnedWindow w;
  w.Show();
  TkivTitleBarButton& help = w.bar().Buttons().Add();
  help.SetButtonType(kivHelp);
  int clicks = 0;
  w.skin->SetOnTitleBarHelpBtnClick([&](ui::TComponent*, int) {
    ++clicks;
    w.form.reset();
  });
  w.bar().Repaint();
  const POINT p = w.ButtonPoint(kivHelp);
  testkit::Send(w.bar(), WM_LBUTTONDOWN, MK_LBUTTON, testkit::At(p.x, p.y));
  testkit::Send(w.bar(), WM_LBUTTONUP, 0, testkit::At(p.x, p.y));
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(w.form);
}

TEST(FormSkinWindow, DoubleClickMaximisesIntoTheWorkAreaAndRestores) {
  SkinnedWindow w(TkivUIStyle::WinXP);
  w.Show();
  const RECT work = GetWorkAreaRect();
  const RECT normal = w.form->BoundsRect();
  TkivTitleBarButton* max = nullptr;
  for (int i = 0; i < w.bar().Buttons().Count(); ++i)
    if (w.bar().Buttons().Items(i).ButtonType() == kivMax) max = &w.bar().Buttons().Items(i);
  ASSERT_TRUE(max);
  ui::TBitmap maxPicture;
  LoadSkinBitmap(maxPicture, "WINXP_TITLEBTN_MAX_NORMAL");
  ui::TBitmap restorePicture;
  LoadSkinBitmap(restorePicture, "WINXP_TITLEBTN_RST_NORMAL");
  auto showsPicture = [&](const ui::TBitmap& expected) {
    auto& shown = static_cast<ui::TBitmap&>(*max->PicNormal().Graphic());
    return shown.Width() == expected.Width() && shown.Pixel(4, 4) == expected.Pixel(4, 4) &&
           shown.Pixel(8, 8) == expected.Pixel(8, 8);
  };
  EXPECT_TRUE(showsPicture(maxPicture));

  testkit::Send(w.bar(), WM_LBUTTONDBLCLK, MK_LBUTTON, testkit::At(60, 8));
  Pump();
  EXPECT_EQ(w.form->WindowState(), ui::wsMaximized);
  RECT bounds;
  GetWindowRect(w.form->Handle(), &bounds);
  EXPECT_EQ(bounds.left, work.left);
  EXPECT_EQ(bounds.top, work.top);
  EXPECT_EQ(bounds.right - bounds.left, work.right - work.left);
  EXPECT_EQ(bounds.bottom - bounds.top, work.bottom - work.top);
  EXPECT_EQ(w.skin->Width(), work.right - work.left - 6);
  EXPECT_TRUE(showsPicture(restorePicture));
  // A maximised window is neither dragged nor sized from its edges.
  EXPECT_EQ(w.skin->EdgeAt(ui::MakeMouseLParam(work.left + 1, work.top + 100)), HTNOWHERE);

  testkit::Send(w.bar(), WM_LBUTTONDBLCLK, MK_LBUTTON, testkit::At(60, 8));
  Pump();
  EXPECT_EQ(w.form->WindowState(), ui::wsNormal);
  GetWindowRect(w.form->Handle(), &bounds);
  EXPECT_TRUE(EqualRect(&bounds, &normal));
  EXPECT_TRUE(showsPicture(maxPicture));
}

// The system's work area changed for as long as this lives.
class WorkArea {
 public:
  explicit WorkArea(RECT area) {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &saved_, 0);
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &area, 0);
  }
  WorkArea(const WorkArea&) = delete;
  WorkArea& operator=(const WorkArea&) = delete;
  ~WorkArea() { SystemParametersInfoA(SPI_SETWORKAREA, 0, &saved_, 0); }

 private:
  RECT saved_{};
};

TEST(FormSkinWindow, AWindowMadeMaximisedIsKeptAtTheWorkAreasCornerWhenSized) {
  // A task bar along the top of the screen.
  WorkArea area({0, 40, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  const RECT work = GetWorkAreaRect();
  ASSERT_EQ(work.top, 40);
  auto form = std::make_unique<ui::TForm>(nullptr);
  form->SetBounds(60, 40, 400, 300);
  form->SetWindowState(ui::wsMaximized);
  auto* skin = new TkivForm(form.get());
  form->Show();
  Pump();
  // The program sizes its window while it is maximised; past the first two sizings of the
  // process the window stays maximised and goes to the work area's corner.
  for (int i = 0; i < 3; ++i) {
    form->SetBounds(0, 0, 500 + i, 400);
    Pump();
  }
  RECT bounds;
  GetWindowRect(form->Handle(), &bounds);
  EXPECT_TRUE(IsZoomed(form->Handle()));
  EXPECT_EQ(bounds.left, work.left);
  EXPECT_EQ(bounds.top, work.top);
  EXPECT_EQ(bounds.right - bounds.left, 502);
  EXPECT_EQ(skin->Width(), 502 - 2 * skin->BorderWidth());
}

TEST(FormSkinWindow, DraggingTheTitleMovesTheWindowWithTheMouse) {
  SkinnedWindow w;
  w.Show();
  SetForegroundWindow(w.form->Handle());
  Pump();
  const RECT before = w.form->BoundsRect();
  const POINT start = w.bar().ClientToScreen({80, 8});
  SetCursorPos(start.x, start.y);
  Pump();
  INPUT input[3] = {};
  for (INPUT& i : input) i.type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  // Absolute, so no pointer acceleration scales the move.
  input[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  // The middle of the target pixel in the 0..65535 scale.
  input[1].mi.dx = MulDiv(2 * (start.x + 50) + 1, 32768, GetSystemMetrics(SM_CXSCREEN));
  input[1].mi.dy = MulDiv(2 * (start.y + 30) + 1, 32768, GetSystemMetrics(SM_CYSCREEN));
  input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(3, input, sizeof(INPUT));
  Pump(10);
  RECT after;
  GetWindowRect(w.form->Handle(), &after);
  EXPECT_EQ(after.left - before.left, 50);
  EXPECT_EQ(after.top - before.top, 30);
}

TEST(FormSkinWindow, EdgesOfASizeableWindowSizeItAlsoOverTheTitleBar) {
  SkinnedWindow w;
  w.Show();
  const POINT corner = w.form->ClientToScreen({1, 1});
  const LPARAM at = ui::MakeMouseLParam(corner.x, corner.y);
  EXPECT_EQ(testkit::Send(*w.form, WM_NCHITTEST, 0, at), HTTOPLEFT);
  EXPECT_EQ(testkit::Send(w.bar(), WM_NCHITTEST, 0, at), HTTRANSPARENT);
  const POINT middle = w.form->ClientToScreen({200, 150});
  EXPECT_EQ(testkit::Send(*w.form, WM_NCHITTEST, 0, ui::MakeMouseLParam(middle.x, middle.y)), HTCLIENT);

  ui::TForm single(nullptr);
  single.SetBorderStyle(ui::bsSingle);
  single.SetBounds(20, 20, 300, 200);
  new TkivForm(&single);
  single.Show();
  Pump();
  const POINT edge = single.ClientToScreen({1, 100});
  EXPECT_EQ(testkit::Send(single, WM_NCHITTEST, 0, ui::MakeMouseLParam(edge.x, edge.y)), HTCLIENT);
}

TEST(FormSkinWindow, ASkinDestroyedBeforeItsFormTakesItsFilterAlong) {
  SkinnedWindow w;
  w.Show();
  const POINT corner = w.form->ClientToScreen({1, 1});
  const LPARAM at = ui::MakeMouseLParam(corner.x, corner.y);
  ASSERT_EQ(testkit::Send(*w.form, WM_NCHITTEST, 0, at), HTTOPLEFT);
  delete w.skin;
  EXPECT_EQ(testkit::Send(*w.form, WM_NCHITTEST, 0, at), HTCLIENT);
  testkit::Send(*w.form, WM_SIZE, 0, MAKELPARAM(300, 200));
  testkit::Send(*w.form, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_FALSE(ui::Application().OnMessage);
}

TEST(FormSkinMenu, AShortCutFiresItsItemOnlyInItsOwnWindow) {
  SkinnedWindow w;
  ui::TMainMenu menu(nullptr);
  auto* file = new ui::TMenuItem(&menu);
  file->SetCaption("&File");
  menu.Items().Add(file);
  auto* refresh = new ui::TMenuItem(&menu);
  refresh->SetCaption("Refresh");
  refresh->SetShortCut(VK_F5);
  file->Add(refresh);
  int clicks = 0;
  refresh->OnClick = [&](ui::TComponent*) { ++clicks; };
  w.skin->SetMenu(&menu);
  w.Show();
  PostMessageA(w.bar().Handle(), WM_KEYDOWN, VK_F5, 0);
  Pump();
  EXPECT_EQ(clicks, 1);

  ui::TForm other(nullptr);
  other.Show();
  PostMessageA(other.Handle(), WM_KEYDOWN, VK_F5, 0);
  Pump();
  EXPECT_EQ(clicks, 1);
}

TEST(FormSkinMenuBar, ShowsTheTopLevelItemsBelowTheTitleAndFollowsThem) {
  SkinnedWindow w(TkivUIStyle::WinXP);
  w.AddMenu();
  w.Show();
  ui::TToolBar* bar = w.skin->MenuBar();
  ASSERT_TRUE(bar);
  ASSERT_EQ(bar->ButtonCount(), 3);
  EXPECT_EQ(bar->Buttons(0)->Caption(), "&File");
  EXPECT_EQ(bar->Buttons(2)->Caption(), "&Help");
  EXPECT_EQ(bar->Top(), w.bar().Height());
  EXPECT_EQ(bar->Height(), w.skin->MenuBarHeight());
  EXPECT_EQ(bar->Color(), GetThemeColor(TkivUIStyle::WinXP, 3));
  // A click on File drops its owner-drawn menu down; the keys behind the click choose Open.
  std::vector<std::string> clicked;
  ui::TMenuItem* open = w.menu->Items().Items(0)->Items(0);
  open->OnClick = [&](ui::TComponent*) { clicked.push_back("open"); };
  testkit::ChooseFirstItemOfMenuAt(*bar, bar->Buttons(0)->Left() + 5, bar->Buttons(0)->Top() + 5);
  EXPECT_EQ(clicked, std::vector<std::string>{"open"});
  ui::TMenuItem* edit = w.menu->Items().Items(1);
  edit->SetEnabled(false);
  edit->SetCaption("&Tracks");
  EXPECT_FALSE(bar->Buttons(1)->Enabled());
  EXPECT_EQ(bar->Buttons(1)->Caption(), "&Tracks");
  ui::TMenuItem* view = new ui::TMenuItem(w.form.get());
  view->SetCaption("&View");
  w.menu->Items().Insert(1, view);
  ASSERT_EQ(bar->ButtonCount(), 4);
  EXPECT_EQ(bar->Buttons(1)->Caption(), "&View");
  EXPECT_EQ(bar->Buttons(3)->Caption(), "&Help");
  delete edit;
  ASSERT_EQ(bar->ButtonCount(), 3);
  EXPECT_EQ(bar->Buttons(2)->Caption(), "&Help");
  w.skin->SetMenu(nullptr);
  EXPECT_EQ(w.skin->MenuBar(), nullptr);
  EXPECT_EQ(w.menu->FormSkin(), nullptr);
}

TEST(FormSkinCaptures, ASkinnedWindowInEveryStyle) {
  const struct {
    TkivUIStyle style;
    const char* name;
  } styles[] = {{TkivUIStyle::MacOS, "MacOS"}, {TkivUIStyle::WinXP, "WinXP"}, {TkivUIStyle::DeepBlue, "DeepBlue"},
                {TkivUIStyle::Protein, "Protein"}, {TkivUIStyle::BlueGlass, "BlueGlass"}};
  for (const auto& s : styles) {
    SkinnedWindow w(s.style, 360, 220);
    w.skin->SetCaption("TalvoRipper - " + std::string(s.name));
    w.bar().Buttons().Add().SetButtonType(kivHelp);
    w.AddMenu();
    const char* captions[] = {"Rip Now", "Cancel"};
    for (int i = 0; i < 2; ++i) {
      auto* button = new TkivButton(w.form.get());
      button->SetCaption(captions[i]);
      button->SetBounds(170 + 90 * i, 150, 80, 23);
      button->SetParent(w.skin);
    }
    // A button added later takes the style with the next style write.
    w.skin->SetUIStyle(s.style);
    w.Show();
    // The pointer rests on the menu bar's File button: it shows selected.
    ui::TToolButton* file = w.skin->MenuBar()->Buttons(0);
    testkit::Hover(*w.skin->MenuBar(), file->Left() + file->Width() / 2, file->Top() + file->Height() / 2);
    std::unique_ptr<ui::TBitmap> picture = testkit::CaptureAndSave(*w.form, std::string("formskin_") + s.name);
    // The title bar is drawn: its pictures' colours, not the panel's, at its top.
    EXPECT_NE(picture->Pixel(180, 3), ui::ColorToRGB(w.skin->Color())) << s.name;
  }
}

}  // namespace
