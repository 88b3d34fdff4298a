// Windows of the framework on the test display: hosting painted and native controls, mouse
// event order, click on release, enter and leave, the modal loop, dialog keys, accelerators,
// timers and errors raised in handlers.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Edit.h"
#include "Label.h"
#include "Timer.h"
#include "WindowTestKit.h"

using testkit::At;
using testkit::Pump;
using testkit::Send;
using Log = std::vector<std::string>;

namespace {

// A borderless form at a fixed place on the screen, freed at the end of the test.
std::unique_ptr<ui::TForm> MakeForm(int width = 200, int height = 150) {
  auto form = std::make_unique<ui::TForm>(nullptr);
  form->SetBorderStyle(ui::bsNone);
  form->SetBounds(40, 40, width, height);
  form->SetColor(ui::clRed);
  return form;
}

template <typename T>
T* Place(ui::TWinControl& parent, const char* name, RECT bounds, ui::TColor color, Log* log = nullptr) {
  auto* control = new T(&parent, log);
  control->SetName(name);
  control->SetBoundsRect(bounds);
  control->SetColor(color);
  control->SetParent(&parent);
  return control;
}

TEST(Hosting, PaintedWindowedAndNativeControlsShowOnOneForm) {
  auto form = MakeForm();
  Place<testkit::Swatch>(*form, "swatch", {10, 10, 40, 30}, ui::clBlue);
  auto* panel = Place<testkit::Panel>(*form, "panel", {100, 10, 150, 60}, ui::clLime);
  Place<testkit::Swatch>(*panel, "inner", {5, 5, 15, 15}, ui::clYellow);
  auto* edit = new testkit::EditBox(form.get());
  edit->SetBounds(10, 80, 120, 24);
  edit->SetText("made before its window");
  edit->SetParent(form.get());
  form->Show();
  Pump();
  UpdateWindow(form->Handle());

  auto shot = testkit::Capture(*form);
  EXPECT_EQ(shot->Pixel(0, 0), ui::clRed);
  EXPECT_EQ(shot->Pixel(10, 10), ui::clBlue);
  EXPECT_EQ(shot->Pixel(39, 29), ui::clBlue);
  EXPECT_EQ(shot->Pixel(40, 30), ui::clRed);
  EXPECT_EQ(shot->Pixel(100, 10), ui::clLime);
  EXPECT_EQ(shot->Pixel(107, 17), ui::clYellow);
  EXPECT_EQ(shot->Pixel(149, 59), ui::clLime);

  ASSERT_TRUE(edit->HandleAllocated());
  char className[32];
  GetClassNameA(edit->Handle(), className, sizeof className);
  EXPECT_STREQ(className, "Talvo.EDIT");
  EXPECT_EQ(edit->Text(), "made before its window");
  EXPECT_EQ(GetParent(edit->Handle()), form->Handle());
}

TEST(Hosting, NativeNotificationsAreReflectedToTheirControl) {
  auto form = MakeForm();
  auto* edit = new testkit::EditBox(form.get());
  edit->SetBounds(10, 10, 120, 24);
  edit->SetParent(form.get());
  int changes = 0;
  edit->OnChange = [&](ui::TComponent* sender) {
    EXPECT_EQ(sender, edit);
    ++changes;
  };
  form->Show();
  Pump();
  SetWindowTextA(edit->Handle(), "typed");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(edit->Text(), "typed");
}

TEST(Hosting, RecreatingTheWindowKeepsTextAndChildren) {
  auto form = MakeForm();
  auto* edit = new testkit::EditBox(form.get());
  edit->SetBounds(10, 10, 120, 24);
  edit->SetParent(form.get());
  form->Show();
  Pump();
  SetWindowTextA(edit->Handle(), "kept");
  HWND old = form->Handle();
  form->SetBorderStyle(ui::bsSingle);  // a new style needs a new window
  EXPECT_NE(form->Handle(), old);
  EXPECT_FALSE(IsWindow(old));
  ASSERT_TRUE(edit->HandleAllocated());
  EXPECT_EQ(GetParent(edit->Handle()), form->Handle());
  EXPECT_EQ(edit->Text(), "kept");
}

TEST(Hosting, AlignedControlsShareTheClientArea) {
  auto form = MakeForm(300, 200);
  auto* top = Place<testkit::Panel>(*form, "top", {0, 0, 10, 30}, ui::clBlue);
  auto* left = Place<testkit::Swatch>(*form, "left", {0, 0, 50, 10}, ui::clGreen);
  auto* client = Place<testkit::Panel>(*form, "client", {0, 0, 10, 10}, ui::clWhite);
  top->SetAlign(ui::alTop);
  left->SetAlign(ui::alLeft);
  client->SetAlign(ui::alClient);
  EXPECT_EQ(top->BoundsRect().right, 300);
  EXPECT_EQ(left->Top(), 30);
  EXPECT_EQ(left->Height(), 170);
  EXPECT_EQ(client->Left(), 50);
  EXPECT_EQ(client->Width(), 250);
  form->Show();
  Pump();
  form->SetBounds(40, 40, 400, 250);  // the layout follows the new size
  EXPECT_EQ(top->Width(), 400);
  EXPECT_EQ(client->Height(), 220);
  left->Hide();
  EXPECT_EQ(client->Left(), 0);
}

TEST(Hosting, ShowBringsAFormLyingBehindAnotherToTheFront) {
  auto back = MakeForm();
  auto front = MakeForm();
  back->Show();
  front->Show();
  Pump();
  const POINT inBoth{60, 60};
  EXPECT_EQ(WindowFromPoint(inBoth), front->Handle());
  back->Show();  // already shown, but behind the other
  Pump();
  EXPECT_EQ(WindowFromPoint(inBoth), back->Handle());
  EXPECT_EQ(GetActiveWindow(), back->Handle());
}

TEST(ParentProperties, ChildrenFollowTheParentsColourAndFontUntilGivenTheirOwn) {
  auto form = MakeForm();
  auto* swatch = new testkit::Swatch(form.get());
  swatch->SetParentColor(true);
  swatch->SetParent(form.get());
  EXPECT_EQ(swatch->Color(), ui::clRed);
  form->SetColor(ui::clNavy);
  EXPECT_EQ(swatch->Color(), ui::clNavy);
  form->Font().SetName("Tahoma");
  EXPECT_EQ(swatch->Font().Name(), "Tahoma");
  EXPECT_TRUE(swatch->ParentFont());
  swatch->Font().SetHeight(-20);
  EXPECT_FALSE(swatch->ParentFont());
  form->Font().SetName("Arial");
  EXPECT_EQ(swatch->Font().Name(), "Tahoma");
}

// A panel on a shown form, logging its mouse events.
class MouseOnAPanel : public ::testing::Test {
 protected:
  void SetUp() override {
    panel = Place<testkit::Panel>(*form, "panel", {10, 10, 60, 60}, ui::clLime, &log);
    // Where an earlier test left the pointer must not be over the window when it appears.
    SetCursorPos(0, 0);
    form->Show();
    Pump();
  }
  Log log;
  std::unique_ptr<ui::TForm> form = MakeForm();
  testkit::Panel* panel = nullptr;
};

TEST_F(MouseOnAPanel, PressAndReleaseInsideClickBeforeTheReleaseEvent) {
  panel->OnClick = [&](ui::TComponent*) { log.push_back("OnClick"); };
  Send(*panel, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_EQ(GetCapture(), panel->Handle());
  Send(*panel, WM_LBUTTONUP, 0, At(6, 6));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(log, (Log{"down panel 5,5", "click panel", "OnClick", "up panel 6,6"}));
}

TEST_F(MouseOnAPanel, ReleaseOutsideMakesNoClick) {
  Send(*panel, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  Send(*panel, WM_LBUTTONUP, 0, At(70, 5));
  EXPECT_EQ(log, (Log{"down panel 5,5", "up panel 70,5"}));
}

TEST_F(MouseOnAPanel, DoubleClickIsToldOnceWithoutASecondClick) {
  Send(*panel, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  Send(*panel, WM_LBUTTONUP, 0, At(5, 5));
  Send(*panel, WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 5));
  Send(*panel, WM_LBUTTONUP, 0, At(5, 5));
  EXPECT_EQ(log, (Log{"down panel 5,5", "click panel", "up panel 5,5", "dblclick panel",
                      "down panel 5,5", "up panel 5,5"}));
  // Without double clicks in its style, the second press is an ordinary press and click.
  log.clear();
  panel->SetControlStyle(panel->ControlStyle() & ~ui::csDoubleClicks);
  Send(*panel, WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 5));
  Send(*panel, WM_LBUTTONUP, 0, At(5, 5));
  EXPECT_EQ(log, (Log{"down panel 5,5", "click panel", "up panel 5,5"}));
}

TEST_F(MouseOnAPanel, AnErrorInAHandlerIsShownAndTheProgramGoesOn) {
  panel->OnClick = [](ui::TComponent*) { throw std::runtime_error("Sorry, not now"); };
  std::vector<std::string> shown;
  ui::Application().MessageBoxSink = [&](const std::string& text, const std::string&, UINT flags) {
    shown.push_back(text);
    EXPECT_TRUE(flags & MB_ICONERROR);
    return IDOK;
  };
  Send(*panel, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  Send(*panel, WM_LBUTTONUP, 0, At(5, 5));
  ui::Application().MessageBoxSink = nullptr;
  EXPECT_EQ(shown, (std::vector<std::string>{"Sorry, not now"}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST(Mouse, PaintedControlsGetTheirOwnCoordinatesAndKeepTheCapture) {
  Log log;
  auto form = MakeForm();
  Place<testkit::Swatch>(*form, "swatch", {20, 30, 60, 50}, ui::clBlue, &log);
  form->Show();
  Pump();
  Send(*form, WM_LBUTTONDOWN, MK_LBUTTON, At(25, 35));
  EXPECT_EQ(GetCapture(), form->Handle());  // held for the swatch by its parent
  Send(*form, WM_MOUSEMOVE, MK_LBUTTON, At(150, 100));
  Send(*form, WM_LBUTTONUP, 0, At(150, 100));
  EXPECT_EQ(GetCapture(), nullptr);
  // Released far outside it, the swatch still gets the release, but no click.
  EXPECT_EQ(log, (Log{"down swatch 5,5", "up swatch 130,70"}));
}

TEST(Mouse, EnterAndLeaveFollowThePointer) {
  Log log;
  auto form = MakeForm();
  form->SetName("form");
  Place<testkit::Swatch>(*form, "swatch", {10, 10, 40, 40}, ui::clBlue, &log);
  auto* panel = Place<testkit::Panel>(*form, "panel", {100, 10, 150, 60}, ui::clLime, &log);
  // Where an earlier test left the pointer must not be over the window when it appears.
  SetCursorPos(0, 0);
  form->Show();
  Pump();
  Send(*form, WM_MOUSEMOVE, 0, At(15, 15));
  Send(*form, WM_MOUSEMOVE, 0, At(20, 20));  // still over the swatch: nothing new
  Send(*form, WM_MOUSEMOVE, 0, At(80, 80));
  Send(*panel, WM_MOUSEMOVE, 0, At(5, 5));
  Send(*panel, WM_MOUSELEAVE);
  EXPECT_EQ(log, (Log{"enter swatch", "leave swatch", "enter panel", "leave panel"}));
}

TEST(Mouse, FreeingTheControlUnderThePointerForgetsIt) {
  Log log;
  auto form = MakeForm();
  auto* swatch = Place<testkit::Swatch>(*form, "swatch", {10, 10, 40, 40}, ui::clBlue, &log);
  form->Show();
  Pump();
  Send(*form, WM_MOUSEMOVE, 0, At(15, 15));
  delete swatch;
  Send(*form, WM_MOUSEMOVE, 0, At(16, 16));  // must not reach the freed swatch
  Send(*form, WM_MOUSELEAVE);
  EXPECT_EQ(log, (Log{"enter swatch"}));
}

TEST(Modal, TheLoopRunsUntilAModalResultIsSetAndAgreedTo) {
  auto owner = MakeForm();
  owner->Show();
  Pump();
  auto dialog = MakeForm(120, 80);
  Log log;
  int queries = 0;
  dialog->OnCloseQuery = [&](ui::TComponent*, bool& canClose) {
    canClose = ++queries > 1;
    log.push_back(canClose ? "close agreed" : "close refused");
  };
  dialog->OnClose = [&](ui::TComponent*, ui::TCloseAction& action) {
    EXPECT_EQ(action, ui::caHide);
    log.push_back("closing");
  };
  ui::TTimer timer(nullptr);
  timer.SetInterval(20);
  timer.OnTimer = [&](ui::TComponent*) {
    EXPECT_TRUE(dialog->Modal());
    EXPECT_FALSE(IsWindowEnabled(owner->Handle()));
    log.push_back("tick");
    dialog->SetModalResult(ui::mrOk);
  };
  EXPECT_EQ(dialog->ShowModal(), ui::mrOk);
  timer.SetEnabled(false);
  EXPECT_EQ(log, (Log{"tick", "close refused", "tick", "close agreed", "closing"}));
  EXPECT_FALSE(dialog->Visible());
  EXPECT_FALSE(dialog->Modal());
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
}

TEST(Modal, ClosingAModalFormGivesCancel) {
  auto dialog = MakeForm(120, 80);
  ui::TTimer timer(nullptr);
  timer.SetInterval(10);
  timer.OnTimer = [&](ui::TComponent*) { PostMessageA(dialog->Handle(), WM_CLOSE, 0, 0); };
  EXPECT_EQ(dialog->ShowModal(), ui::mrCancel);
}

TEST(Modal, AVisibleFormCannotBecomeModal) {
  auto dialog = MakeForm(120, 80);
  dialog->Show();
  EXPECT_THROW(dialog->ShowModal(), std::logic_error);
}

class Keys : public ::testing::Test {
 protected:
  void SetUp() override {
    form = MakeForm(300, 120);
    form->SetName("form");
    edit = new testkit::EditBox(form.get());
    edit->SetBounds(10, 10, 100, 24);
    edit->SetParent(form.get());
    ok = Place<testkit::Button>(*form, "ok", {10, 50, 80, 75}, ui::clSilver, &log);
    ok->SetCaption("&Ok");
    ok->SetTabStop(true);
    cancel = Place<testkit::Button>(*form, "cancel", {100, 50, 170, 75}, ui::clSilver, &log);
    cancel->SetCaption("Cancel");
    cancel->SetTabStop(true);
    cancel->Cancel = true;
    form->Show();
    Pump();
    SetForegroundWindow(form->Handle());
    edit->SetFocus();
    Pump();
  }
  // Posts a key as the keyboard would and lets the application's loop handle it.
  void Key(UINT msg, WPARAM key) {
    PostMessageA(GetFocus(), msg, key, 1);
    ui::Application().ProcessMessages();
  }

  Log log;
  std::unique_ptr<ui::TForm> form;
  testkit::EditBox* edit = nullptr;
  testkit::Button* ok = nullptr;
  testkit::Button* cancel = nullptr;
};

TEST_F(Keys, TabMovesTheFocusInTabOrder) {
  ASSERT_EQ(GetFocus(), edit->Handle());
  EXPECT_EQ(form->ActiveControl(), edit);
  Key(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), ok->Handle());
  EXPECT_EQ(form->ActiveControl(), ok);
  cancel->SetTabOrder(0);
  EXPECT_EQ(cancel->TabOrder(), 0);
  EXPECT_EQ(edit->TabOrder(), 1);
  EXPECT_EQ(ok->TabOrder(), 2);
  Key(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), cancel->Handle());
  // A position past the end puts the control last; a control with no parent has none.
  edit->SetTabOrder(10);
  EXPECT_EQ(edit->TabOrder(), 2);
  testkit::EditBox loose(nullptr);
  EXPECT_EQ(loose.TabOrder(), -1);
}

TEST_F(Keys, EnterClicksTheDefaultButtonWhereverTheFocusIs) {
  Key(WM_KEYDOWN, VK_RETURN);
  EXPECT_TRUE(log.empty());  // no default button yet
  ok->Default = true;
  Key(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(log, (Log{"click ok"}));
  log.clear();
  Key(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(log, (Log{"click cancel"}));
}

TEST_F(Keys, KeysAControlWantsStayWithIt) {
  cancel->SetFocus();
  Pump();
  Key(WM_KEYDOWN, 'X');
  EXPECT_EQ(log, (Log{"key cancel 88"}));
}

TEST_F(Keys, AcceleratorsClickTheirControl) {
  Key(WM_CHAR, 'o');  // the edit takes plain characters itself
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(edit->Text(), "o");
  Key(WM_SYSCHAR, 'o');  // with Alt it is an accelerator
  EXPECT_EQ(log, (Log{"click ok"}));
  log.clear();
  cancel->SetFocus();
  Pump();
  Key(WM_CHAR, 'O');  // a control that takes no characters lets them be accelerators
  EXPECT_EQ(log, (Log{"click ok"}));
}

// As in the system's dialogs, a single-line edit box that Tab or its label's accelerator
// reaches has its whole text selected, so that typing replaces it; a click places the caret.
TEST_F(Keys, TabOrALabelsAcceleratorSelectsAnEditsWholeTextAClickPlacesTheCaret) {
  auto* year = new ui::TEdit(form.get());
  year->SetBounds(190, 10, 90, 24);
  year->SetParent(form.get());
  auto* label = new ui::TLabel(form.get());
  label->SetCaption("&Year");
  label->SetBounds(120, 14, 0, 0);
  label->SetFocusControl(year);
  label->SetParent(form.get());
  const auto selection = [&] { return std::make_pair(year->SelStart(), year->SelLength()); };

  year->SetText("2003");
  cancel->SetFocus();
  Pump();
  Key(WM_KEYDOWN, VK_TAB);
  ASSERT_TRUE(year->Focused());
  EXPECT_EQ(selection(), std::make_pair(0, 4));
  testkit::TypeText("1998");
  EXPECT_EQ(year->Text(), "1998");

  ok->SetFocus();
  Pump();
  testkit::Click(*year, 4, 12);
  EXPECT_TRUE(year->Focused());
  EXPECT_EQ(selection().second, 0) << "a click selected the text";

  ok->SetFocus();
  Pump();
  testkit::PressKey('Y', ui::ssAlt);
  ASSERT_TRUE(year->Focused());
  EXPECT_EQ(selection(), std::make_pair(0, 4));
}

TEST(Timer, TicksWhileEnabled) {
  ui::TTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(5);
  timer.OnTimer = [&](ui::TComponent* sender) {
    EXPECT_EQ(sender, &timer);
    ++ticks;
  };
  const DWORD start = GetTickCount();
  while (ticks < 3 && GetTickCount() - start < 2000) ui::Application().HandleMessage();
  EXPECT_GE(ticks, 3);
  timer.SetEnabled(false);
  const int stopped = ticks;
  Pump(5);
  EXPECT_EQ(ticks, stopped);
}

}  // namespace
