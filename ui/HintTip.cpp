#include "HintTip.h"

#include "Control.h"

namespace ui {

namespace {

TTTOOLINFOA ToolInfo(HWND tip, std::string* text) {
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = tip;
  tool.uId = 1;
  tool.lpszText = text ? text->data() : nullptr;
  return tool;
}

}  // namespace

HintTip::HintTip()
    : pauseTimer_(std::make_unique<TTimer>(nullptr)), hideTimer_(std::make_unique<TTimer>(nullptr)) {
  pauseTimer_->SetEnabled(false);
  hideTimer_->SetEnabled(false);
  pauseTimer_->OnTimer = [this](TComponent*) { Show(); };
  hideTimer_->OnTimer = [this](TComponent*) { Cancel(); };
}

HintTip::~HintTip() = default;

HWND HintTip::Tip() {
  if (!tip_) {
    tip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr));
    if (!tip_) return nullptr;
    TTTOOLINFOA tool = ToolInfo(tip_.get(), &text_);
    SendMessageA(tip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    // Long hints wrap rather than run off the screen.
    SendMessageA(tip_.get(), TTM_SETMAXTIPWIDTH, 0, 400);
  }
  return tip_.get();
}

void HintTip::Activate(TControl* control, UINT pause, UINT hidePause) {
  Cancel();
  if (!control || !control->ShowHint() || control->Hint().empty()) return;
  text_ = control->Hint();
  hidePause_ = hidePause;
  pauseTimer_->SetInterval(pause > 0 ? pause : 1);
  pauseTimer_->SetEnabled(true);
}

void HintTip::Show() {
  pauseTimer_->SetEnabled(false);
  HWND tip = Tip();
  if (!tip) return;
  TTTOOLINFOA tool = ToolInfo(tip, &text_);
  SendMessageA(tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  POINT cursor{};
  GetCursorPos(&cursor);
  // Below the pointer, clear of the arrow.
  SendMessageA(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(cursor.x, cursor.y + 20));
  SendMessageA(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  if (hidePause_ > 0) {
    hideTimer_->SetInterval(hidePause_);
    hideTimer_->SetEnabled(true);
  }
}

void HintTip::Cancel() {
  pauseTimer_->SetEnabled(false);
  hideTimer_->SetEnabled(false);
  if (!tip_) return;
  TTTOOLINFOA tool = ToolInfo(tip_.get(), nullptr);
  SendMessageA(tip_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace ui
