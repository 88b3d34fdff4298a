// TForm: a top-level window. It has a border style, a position rule, size constraints and a
// window state, keeps the control that has the focus, moves the focus with Tab and passes
// dialog keys and accelerators to its controls, and closes through a close query. ShowModal
// runs a nested message loop until a modal result is set.
#pragma once

#include <functional>
#include <vector>

#include "CustomControl.h"

namespace ui {

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TPosition {
  poDesigned = 0,
  poScreenCenter = 4,
  poDesktopCenter = 5,
  poMainFormCenter = 6,
  poOwnerFormCenter = 7,
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;

using TCloseEvent = std::function<void(TComponent* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TComponent* Sender, bool& CanClose)>;

class TMainMenu;

class TForm : public TCustomControl {
  UI_CLASS(TForm, TCustomControl)
 public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle value);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition value) { position_ = value; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState value);
  // The main menu on the form's menu bar, or none.
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* value);

  void SetVisible(bool value) override;
  // Shows the form and brings it in front of the program's other windows, also when it was
  // already shown behind them.
  void Show();
  bool Showing() const override { return Visible(); }
  RECT ClientRect() const override;
  void SetClientSize(int width, int height) override;

  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control) { FocusControl(control); }
  // Makes control the active control and gives it the focus when the form can take it.
  void FocusControl(TWinControl* control);
  // Takes the focus away from control (and the controls on it) before it goes or hides.
  void DefocusControl(TWinControl* control);
  // Told by a control of the form that it has received the focus.
  void FocusChanged(TWinControl* control);
  // Focuses the next (or previous) control in tab order after current, as the keyboard does.
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }
  bool Modal() const { return modal_; }
  // Shows the form, disables the other windows of the program, and handles messages until a
  // modal result is set and the form agrees to close; returns that result.
  TModalResult ShowModal();
  // Asks OnCloseQuery, then OnClose decides: hide (the default), minimise, free or nothing.
  // Closing the program's main form ends the program; a modal form gets mrCancel.
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the message being handled is done.
  void Release();

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void Paint() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateWindowHandle() override;
  void DestroyWnd() override;
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);

 private:
  void ApplyPosition();
  void CloseModal();
  bool ActivateFocus();
  SIZE FrameSize() const;

  TFormBorderStyle borderStyle_ = bsSizeable;
  TPosition position_ = poDesigned;
  TWindowState windowState_ = wsNormal;
  TWinControl* activeControl_ = nullptr;
  TMainMenu* menu_ = nullptr;
  TModalResult modalResult_ = mrNone;
  bool modal_ = false;
  // Client size a layout asked for; applied again once the layout (and a border style it may
  // change) is complete.
  SIZE layoutClientSize_{0, 0};
};

// Focuses control as Tab or an accelerator does: a single-line edit box reached so has its
// whole text selected, so that typing replaces it (a click only places the caret).
void FocusFromKeyboard(TWinControl& control);

}  // namespace ui
