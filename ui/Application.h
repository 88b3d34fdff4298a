// TApplication: the program's message loop and its hooks. It owns the forms made with
// CreateForm (the first one is the main form, whose closing ends the loop), lets a message
// filter see every message first, offers dialog keys and accelerators to the focused control
// before dispatch, and shows messages and errors through a message box that tests can replace.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "Component.h"
#include "Win32.h"

#include <commdlg.h>

namespace ui {

class TForm;
class TControl;
class HintTip;

class TApplication : public TComponent {
  UI_CLASS(TApplication, TComponent)
 public:
  TApplication();
  ~TApplication() override;

  // Arguments after the owner go to the form's constructor.
  template <typename T, typename... Args>
  T* CreateForm(Args&&... args) {
    T* form = Create<T>(this, std::forward<Args>(args)...);
    if (!mainForm_) mainForm_ = form;
    return form;
  }
  TForm* MainForm() const { return mainForm_; }
  // Frees every form now, last created first. A program whose forms hold COM objects calls it
  // before its apartment ends; the application object itself lives until the process exits.
  void DestroyForms();
  void SetMainForm(TForm* form) { mainForm_ = form; }

  // Shows the main form and handles messages until Terminate.
  void Run();
  // Handles every message waiting now, without waiting for more.
  void ProcessMessages();
  // Handles one message, waiting for one when there is none.
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Sees every message taken from the queue first; setting Handled stops it there.
  std::function<void(MSG& Msg, bool& Handled)> OnMessage;

  using TMessageBoxSink =
      std::function<int(const std::string& Text, const std::string& Caption, UINT Flags)>;
  // Where message boxes go; empty shows the system's message box.
  TMessageBoxSink MessageBoxSink;
  int MessageBox(const std::string& Text, const std::string& Caption, UINT Flags = MB_OK);
  // Where the colour dialog goes (TColorDialog); empty shows the system's. Returns whether the
  // user confirmed, with the colour in rgbResult.
  std::function<bool(CHOOSECOLORA& Choose)> ChooseColorSink;
  // Reports an error that reached a window procedure or a timer: a message box with its text.
  void HandleException(const std::exception& error);

  HINSTANCE Instance() const { return GetModuleHandleA(nullptr); }

  // Hints: shown at all only while ShowHint holds; after HintPause milliseconds of the mouse
  // resting on a control, for HintHidePause milliseconds (0: until the mouse leaves).
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  UINT HintPause() const { return hintPause_; }
  void SetHintPause(UINT value) { hintPause_ = value; }
  UINT HintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(UINT value) { hintHidePause_ = value; }
  // The mouse entered the control (the framework calls these).
  void ActivateHint(TControl* control);
  void CancelHint();
  // The tooltip window that shows hints, once one was shown.
  HWND HintWindow() const;

 private:
  bool ProcessMessage(MSG& msg);
  bool IsKeyMsg(MSG& msg);

  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool showHint_ = true;
  UINT hintPause_ = 500;
  UINT hintHidePause_ = 2500;
  std::unique_ptr<HintTip> hint_;
};

// The program's application object.
TApplication& Application();

}  // namespace ui
