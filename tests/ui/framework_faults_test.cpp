// Two faults of the window core, mended: a child window identifier handed out again while a
// sibling still has it (WM_MEASUREITEM, which names its control only by the identifier, then
// reached the wrong control), and a timer tick that did not count as a message being handled
// (a canvas borrowed in OnTimer kept its device context after the tick).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Timer.h"
#include "WindowTestKit.h"

namespace {

// A native owner-drawn list box: the system asks its parent for the item height with
// WM_MEASUREITEM, which comes back reflected to the list that asked.
class OwnerDrawList : public ui::TWinControl {
 public:
  OwnerDrawList(ui::TComponent* owner, std::vector<std::string>& log) : TWinControl(owner), log_(log) {}

 protected:
  void CreateParams(ui::TCreateParams& params) override {
    TWinControl::CreateParams(params);
    params.NativeClass = "LISTBOX";
    params.Style |= LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
  }
  void WndProc(ui::TMessage& m) override {
    if (m.Msg == ui::CN_MEASUREITEM) {
      log_.push_back(Name());
      reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = 18;
      m.Result = TRUE;
      return;
    }
    TWinControl::WndProc(m);
  }

 private:
  std::vector<std::string>& log_;
};

TEST(ChildIdentifiers, ALiveSiblingsIdentifierIsNeverHandedOutAgain) {
  auto form = std::make_unique<ui::TForm>(nullptr);
  form->SetBorderStyle(ui::bsNone);
  std::vector<std::string> log;
  auto* first = new OwnerDrawList(form.get(), log);
  first->SetName("first");
  first->SetBounds(10, 10, 100, 80);
  first->SetParent(form.get());
  const UINT firstId = GetDlgCtrlID(first->Handle());

  // Where the count has come round to the first list's identifier, the next free one is taken.
  UINT next = firstId;
  EXPECT_EQ(ui::TakeChildId(form->Handle(), next), firstId + 1);
  UINT last = ui::kLastChildId;
  EXPECT_EQ(ui::TakeChildId(form->Handle(), last), ui::kLastChildId);
  EXPECT_EQ(last, ui::kFirstChildId);

  // A sibling made in any case has its own identifier, and each list hears its own question.
  auto* second = new OwnerDrawList(form.get(), log);
  second->SetName("second");
  second->SetBounds(120, 10, 100, 80);
  second->SetParent(form.get());
  EXPECT_NE(GetDlgCtrlID(second->Handle()), static_cast<int>(firstId));
  log.clear();
  SendMessageA(second->Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Track 01"));
  SendMessageA(first->Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Track 02"));
  EXPECT_EQ(log, (std::vector<std::string>{"second", "first"}));
}

// A painted control whose canvas a timer handler uses outside painting.
class Gauge : public ui::TCustomControl {
 public:
  using TCustomControl::TCustomControl;
};

TEST(TimerTicks, ACanvasBorrowedInOnTimerIsGivenBackWhenTheTickEnds) {
  auto form = std::make_unique<ui::TForm>(nullptr);
  form->SetBorderStyle(ui::bsNone);
  form->SetBounds(40, 40, 100, 100);
  auto* gauge = new Gauge(form.get());
  gauge->SetBounds(10, 10, 50, 50);
  gauge->SetParent(form.get());
  form->Show();
  testkit::Pump();

  ui::TTimer timer(nullptr);
  timer.SetInterval(20);
  bool drew = false;
  timer.OnTimer = [&](ui::TComponent*) {
    timer.SetEnabled(false);
    gauge->Canvas().FillRect({0, 0, 5, 5});
    drew = gauge->Canvas().HandleAllocated();
  };
  // Only timer messages are handled here: no other message's end can give the context back.
  const DWORD start = GetTickCount();
  while (timer.Enabled() && GetTickCount() - start < 3000) {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageA(&msg);
    else Sleep(5);
  }
  ASSERT_TRUE(drew);
  EXPECT_FALSE(gauge->Canvas().HandleAllocated());
}

}  // namespace
