// TWinControl: a control with a window of its own. The window is made when first needed (and
// made again when its creation parameters change), either of the framework's own class or of
// a native class (edit, list view, ...) whose procedure becomes the default handling. It holds
// child controls, lays out aligned ones, paints the windowless ones, reflects notifications to
// the child they concern, tracks the mouse and takes part in focus, tab order and dialog keys.
#pragma once

#include <string>
#include <vector>

#include "Control.h"
#include "PenBrush.h"

namespace ui {

struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  UINT ClassStyle = CS_DBLCLKS;
  // A native window class to build on ("EDIT", WC_LISTVIEWA, ...); empty for the framework's
  // own painted class.
  std::string NativeClass;
};

// Identifiers of the framework's child windows: WM_MEASUREITEM names its control only by one.
constexpr UINT kFirstChildId = 1000;
constexpr UINT kLastChildId = 0xEFFF;
// The identifier for a new child of parent: next, or the first after it (wrapping round) that
// no child of parent has; next moves past it.
UINT TakeChildId(HWND parent, UINT& next);

class TWinControl : public TControl {
  UI_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  bool IsWindowed() const override { return true; }
  void SetParent(TWinControl* AParent) override;

  // The window, made now (with the parents' windows) if it does not exist yet.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // Destroys the window and makes it again with the current creation parameters.
  void RecreateWnd();
  // The control whose window this is (or whose window holds it, for a native control's inner
  // windows), or none.
  static TWinControl* FindControl(HWND wnd);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(index); }
  // The windowless child at a client point, topmost first, or none.
  virtual TControl* ControlAtPos(POINT point, bool allowDisabled = false) const;
  // Sends the message to every child in turn until one answers with a non-zero result.
  void Broadcast(TMessage& Message);

  RECT ClientRect() const override;
  POINT ClientOrigin() const override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetVisible(bool value) override;
  void SetEnabled(bool value) override;
  void Invalidate() override;
  void Update() override;
  // Lays out the aligned children in the client area.
  void Realign() { AlignControls(); }
  // Paints into dc what of the client area lies under the child control: the background, the
  // window's own painting and the windowless children below the control (not the control
  // itself nor those above it, so a see-through child never paints itself behind itself).
  void PaintUnder(HDC dc, const TControl& control);
  // A margin of this many pixels inside the window's frame, outside its client area, painted
  // in the control's colour: children and painting start inside it.
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  int TabOrder() const;
  void SetTabOrder(int value);
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  // Brings control, one of this control's children, into view: a container showing one child
  // at a time (a page control) puts it in front. The form asks this of the parent of a control
  // that becomes its active control; each container asks its own parent first.
  virtual void ShowControl(TControl* control);
  // Every focusable-in-principle windowed control below this one, in tab order. A container
  // that shows only some of its children (pages behind pages) lists those it shows.
  virtual void GetTabOrderList(std::vector<TWinControl*>& list) const;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

 protected:
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  // The window exists: runs after CreateWnd, before the children get theirs.
  virtual void CreateWindowHandle() {}
  virtual void DestroyWnd();
  // Paints the client area into dc: the window itself (PaintWindow), then the windowless
  // children. dc may be any context, also one supplied by another control.
  void PaintHandler(HDC dc);
  virtual void PaintWindow(HDC dc);
  // The windowless children, bottom first, up to (not including) limit when one is given.
  void PaintControls(HDC dc, const TControl* limit = nullptr);
  virtual void AlignControls();
  // The part of the client area aligned children share.
  virtual void AdjustClientRect(RECT& rect) const { (void)rect; }
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  virtual void DoEnter();
  virtual void DoExit();
  std::string GetText() const override;
  void SetTextNow(const std::string& value) override;
  TBrush& Brush() { return brush_; }

 private:
  friend class TControl;
  static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void CreateHandle();
  void Attach(HWND wnd);
  // Puts the child's new window where the control list has it among its siblings.
  void PlaceInZOrder();
  void Detach();
  void UpdateBounds();
  void Reflect(TMessage& Message, HWND child);
  bool ForwardMouseToControl(TMessage& Message);
  void TrackMouse(TMessage& Message);
  bool DialogKey(const TMessage& Message);
  bool DialogChar(TMessage& Message);
  void WMPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMNCPaint(TMessage& Message);

  HWND handle_ = nullptr;
  WNDPROC nativeProc_ = nullptr;
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  bool tabStop_ = false;
  bool aligning_ = false;
  bool trackingLeave_ = false;
  int borderWidth_ = 0;
  TBrush brush_;
};

}  // namespace ui
