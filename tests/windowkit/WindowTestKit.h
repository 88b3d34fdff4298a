// The window test kit in one include: small controls the window tests share (a painted swatch,
// a self-painting panel, a native edit box, a button that answers dialog keys and
// accelerators), message pumping and client-area capture here, and the kit's other parts:
// posted input (WindowInput.h), waiting (WaitUntil.h), answering modal windows
// (ModalAnswer.h), whole-window pictures (WindowCapture.h), controls by name (FindByName.h).
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "Application.h"
#include "Bitmap.h"
#include "CustomControl.h"
#include "FindByName.h"
#include "Form.h"
#include "ModalAnswer.h"
#include "WaitUntil.h"
#include "WindowCapture.h"
#include "WindowInput.h"

// Rectangles compare and print in test expectations.
inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
inline void PrintTo(const RECT& r, std::ostream* out) {
  *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace testkit {

// A control of any kind that logs its mouse events, named after the control.
template <typename Base>
class Logging : public Base {
 public:
  Logging(ui::TComponent* owner, std::vector<std::string>* log) : Base(owner), log_(log) {}

 protected:
  void MouseEnter() override { Log("enter " + this->Name()); }
  void MouseLeave() override { Log("leave " + this->Name()); }
  void MouseDown(ui::TMouseButton b, ui::TShiftState s, int x, int y) override {
    Log("down " + this->Name() + " " + std::to_string(x) + "," + std::to_string(y));
    Base::MouseDown(b, s, x, y);
  }
  void MouseUp(ui::TMouseButton b, ui::TShiftState s, int x, int y) override {
    Log("up " + this->Name() + " " + std::to_string(x) + "," + std::to_string(y));
    Base::MouseUp(b, s, x, y);
  }
  void Click() override {
    Log("click " + this->Name());
    Base::Click();
  }
  void Log(const std::string& line) {
    if (log_) log_->push_back(line);
  }

 private:
  std::vector<std::string>* log_;
};

// A windowless control filled with its colour.
class Swatch : public Logging<ui::TGraphicControl> {
 public:
  Swatch(ui::TComponent* owner, std::vector<std::string>* log = nullptr) : Logging(owner, log) {}
  void Paint() override {
    Canvas().Brush().SetColor(Color());
    Canvas().FillRect(ClientRect());
  }
};

// A windowed control that paints itself in its colour; logs double clicks and keys too.
class Panel : public Logging<ui::TCustomControl> {
 public:
  Panel(ui::TComponent* owner, std::vector<std::string>* log = nullptr) : Logging(owner, log) {
    SetControlStyle(ControlStyle() | ui::csAcceptsControls);
  }
  void Paint() override {
    Canvas().Brush().SetColor(Color());
    Canvas().FillRect(ClientRect());
  }
  void DblClick() override {
    Log("dblclick " + Name());
    TCustomControl::DblClick();
  }
  void KeyDown(WORD& key, ui::TShiftState shift) override {
    Log("key " + Name() + " " + std::to_string(key));
    TCustomControl::KeyDown(key, shift);
  }
};

// The native edit control under the framework: its EN_CHANGE comes back reflected.
class EditBox : public ui::TWinControl {
 public:
  explicit EditBox(ui::TComponent* owner) : TWinControl(owner) { SetTabStop(true); }
  ui::TNotifyEvent OnChange;

 protected:
  void CreateParams(ui::TCreateParams& params) override {
    TWinControl::CreateParams(params);
    params.NativeClass = "EDIT";
    params.Style |= WS_BORDER | ES_AUTOHSCROLL;
  }
  void WndProc(ui::TMessage& m) override {
    if (m.Msg == ui::CN_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
      if (OnChange) OnChange(this);
      return;
    }
    TWinControl::WndProc(m);
  }
};

// A push button drawn by the framework: Enter clicks it when it is the default button,
// Escape when it is the cancel button, and its caption's accelerator clicks it.
class Button : public Panel {
 public:
  using Panel::Panel;
  bool Default = false;
  bool Cancel = false;

 protected:
  void WndProc(ui::TMessage& m) override {
    if (m.Msg == ui::CM_DIALOGKEY &&
        ((m.WParam == VK_RETURN && Default) || (m.WParam == VK_ESCAPE && Cancel))) {
      Click();
      m.Result = 1;
      return;
    }
    if (m.Msg == ui::CM_DIALOGCHAR && ui::IsAccel(static_cast<char>(m.WParam), Caption())) {
      Click();
      m.Result = 1;
      return;
    }
    Panel::WndProc(m);
  }
};

// Handles the messages waiting now, a few times over so that X events have arrived.
inline void Pump(int rounds = 3) {
  for (int i = 0; i < rounds; ++i) {
    ui::Application().ProcessMessages();
    Sleep(10);
  }
  ui::Application().ProcessMessages();
}

// The window's client area as it is on the screen.
inline std::unique_ptr<ui::TBitmap> Capture(ui::TWinControl& control) {
  RECT client;
  GetClientRect(control.Handle(), &client);
  auto bitmap = std::make_unique<ui::TBitmap>(client.right, client.bottom);
  HDC dc = GetDC(control.Handle());
  BitBlt(bitmap->MemoryDc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(control.Handle(), dc);
  return bitmap;
}

inline LRESULT Send(ui::TWinControl& control, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
  return SendMessageA(control.Handle(), msg, wp, lp);
}

inline LPARAM At(int x, int y) { return ui::MakeMouseLParam(x, y); }

}  // namespace testkit
