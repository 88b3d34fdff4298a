#include "ModalAnswer.h"

#include <algorithm>
#include <vector>

namespace testkit {

namespace {

std::string WindowText(HWND window) {
  std::string text(GetWindowTextLengthA(window) + 1, '\0');
  text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
  return text;
}

bool IsSystemDialog(HWND window) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  return std::string(name) == "#32770";
}

ui::TForm* FormOf(HWND window) {
  auto* form = dynamic_cast<ui::TForm*>(ui::TWinControl::FindControl(window));
  return form && form->HandleAllocated() && form->Handle() == window ? form : nullptr;
}

struct Search {
  const std::vector<HWND>& answered;
  HWND found = nullptr;
};

BOOL CALLBACK ConsiderWindow(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<Search*>(param);
  if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
  if (std::find(search.answered.begin(), search.answered.end(), window) != search.answered.end())
    return TRUE;
  ui::TForm* form = FormOf(window);
  if ((form && form->Modal()) || (!form && IsSystemDialog(window))) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

// The top-level window of this thread that is modal now and not yet answered, or none.
HWND FindModalWindow(const std::vector<HWND>& answered) {
  Search search{answered};
  EnumThreadWindows(GetCurrentThreadId(), &ConsiderWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM param) {
  char name[16] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "Static") == 0) *reinterpret_cast<std::string*>(param) += WindowText(child);
  return TRUE;
}

}  // namespace

// The pending answers and the thread timer that looks for modal windows; a thread timer ticks
// in every message loop, the modal ones included.
struct ModalAnswers {
  static std::vector<ModalAnswer*>& Pending() {
    static std::vector<ModalAnswer*> pending;
    return pending;
  }
  static std::vector<HWND>& Answered() {
    static std::vector<HWND> answered;
    return answered;
  }
  static UINT_PTR& Timer() {
    static UINT_PTR timer = 0;
    return timer;
  }

  static void Add(ModalAnswer* answer) {
    // A window answered before and gone since may be shown modally again (a dialog made once
    // and kept): without a tick between, it would still count as answered.
    ForgetWindowsGone();
    Pending().push_back(answer);
    if (!Timer()) Timer() = SetTimer(nullptr, 0, 20, &Tick);
  }
  static void Remove(ModalAnswer* answer) {
    auto& pending = Pending();
    pending.erase(std::remove(pending.begin(), pending.end(), answer), pending.end());
    if (pending.empty() && Timer()) {
      KillTimer(nullptr, Timer());
      Timer() = 0;
    }
  }
  static void ForgetWindowsGone() {
    auto& answered = Answered();
    answered.erase(std::remove_if(answered.begin(), answered.end(),
                                  [](HWND w) { return !IsWindow(w) || !IsWindowVisible(w); }),
                   answered.end());
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (Pending().empty()) return;
    // A window answered once may take a moment to go; it is not answered twice.
    ForgetWindowsGone();
    auto& answered = Answered();
    HWND window = FindModalWindow(answered);
    if (!window) return;
    ModalAnswer* answer = Pending().front();
    answered.push_back(window);
    Remove(answer);
    answer->Answer(window);
  }
};

ModalAnswer::ModalAnswer(int result) : result_(result) { ModalAnswers::Add(this); }

ModalAnswer::ModalAnswer(std::function<void(ui::TForm&)> action)
    : result_(IDCANCEL), action_(std::move(action)) {
  ModalAnswers::Add(this);
}

ModalAnswer::~ModalAnswer() { ModalAnswers::Remove(this); }

void ModalAnswer::Answer(HWND window) {
  answered_ = true;
  seen_ = WindowText(window);
  if (ui::TForm* form = FormOf(window)) {
    if (action_) action_(*form);
    else form->SetModalResult(result_);
    return;
  }
  seen_ += "\n";
  EnumChildWindows(window, &CollectStaticText, reinterpret_cast<LPARAM>(&seen_));
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(result_, BN_CLICKED), 0);
}

}  // namespace testkit
