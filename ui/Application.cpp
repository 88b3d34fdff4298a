#include "Application.h"


#include "Form.h"
#include "HintTip.h"

namespace ui {

TApplication& Application() {
  static TApplication application;
  return application;
}

TApplication::TApplication() : TComponent(nullptr) {
  INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&init);
}

TApplication::~TApplication() {
  // The forms go while the application is still whole: their destructors ask it things.
  DestroyForms();
  hint_.reset();
}

void TApplication::DestroyForms() {
  mainForm_ = nullptr;
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
}

void TApplication::SetShowHint(bool value) {
  showHint_ = value;
  if (!value) CancelHint();
}

void TApplication::ActivateHint(TControl* control) {
  if (!showHint_) return;
  if (!hint_) hint_ = std::make_unique<HintTip>();
  hint_->Activate(control, hintPause_, hintHidePause_);
}

void TApplication::CancelHint() {
  if (hint_) hint_->Cancel();
}

HWND TApplication::HintWindow() const { return hint_ ? hint_->Handle() : nullptr; }

void TApplication::Run() {
  if (mainForm_) mainForm_->Show();
  while (!terminated_) HandleMessage();
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ProcessMessage(msg);
}

void TApplication::HandleMessage() {
  MSG msg;
  if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ProcessMessage(msg);
  else if (!terminated_) WaitMessage();
}

void TApplication::Terminate() {
  if (!terminated_) PostQuitMessage(0);
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  bool handled = false;
  if (OnMessage) {
    try {
      OnMessage(msg, handled);
    } catch (const std::exception& e) {
      HandleException(e);
      handled = true;
    }
  }
  if (handled || IsKeyMsg(msg)) return true;
  if (msg.message == CM_RELEASE) {
    // Freed here, outside its own window procedure.
    if (auto* form = dynamic_cast<TForm*>(TWinControl::FindControl(msg.hwnd))) delete form;
    return true;
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

bool TApplication::IsKeyMsg(MSG& msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_SYSCHAR:
      break;
    default:
      return false;
  }
  TWinControl* control = TWinControl::FindControl(msg.hwnd);
  if (!control) return false;
  try {
    return control->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
  } catch (const std::exception& e) {
    HandleException(e);
    return true;
  }
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, UINT Flags) {
  if (MessageBoxSink) return MessageBoxSink(Text, Caption, Flags);
  return ::MessageBoxA(GetActiveWindow(), Text.c_str(), Caption.c_str(), Flags);
}

void TApplication::HandleException(const std::exception& error) {
  MessageBox(error.what(), "Error", MB_OK | MB_ICONERROR);
}

}  // namespace ui
