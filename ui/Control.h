// TControl: anything placed on a window. It has a parent, bounds, alignment, visibility,
// enabled state, colour, font and caption, gets mouse messages (forwarded by its parent when
// it has no window of its own) and turns them into virtual handlers and events.
#pragma once

#include <functional>
#include <string>

#include "Color.h"
#include "Component.h"
#include "Cursor.h"
#include "Font.h"
#include "Messages.h"

namespace ui {

class TControl;
class TWinControl;
class TForm;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TMouseButton { mbLeft, mbRight, mbMiddle };

// The parent's edges a control keeps its distance to when the parent is resized; with both
// of a pair it stretches, with neither it keeps its place relative to the middle.
enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;

enum TShiftStateFlag : unsigned {
  ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64
};
using TShiftState = unsigned;

enum TControlStyleFlag : unsigned {
  csAcceptsControls = 1,  // other controls may be placed on it
  csCaptureMouse = 2,     // a left press captures the mouse until release
  csClickEvents = 4,      // a left press and release inside make a click
  csDoubleClicks = 8,     // double clicks are told as such (else as a second press)
  csOpaque = 16,          // it covers its whole rectangle: nothing behind is erased for it
};
using TControlStyle = unsigned;

using TMouseEvent =
    std::function<void(TComponent* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TComponent* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TComponent* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TComponent* Sender, char& Key)>;
using TCanResizeEvent =
    std::function<void(TComponent* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;

// Limits of a control's size; 0 means no limit.
struct TSizeConstraints {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
};

// The state of Shift, Ctrl and Alt now, plus the mouse buttons of a mouse message's wParam.
TShiftState KeyboardShiftState();
TShiftState MouseShiftState(WPARAM wParam);
// True when caption marks key as its accelerator ("&Ok" for 'o' or 'O').
bool IsAccel(char key, const std::string& caption);
// The form the control lies on (a form is its own), or none.
TForm* GetParentForm(const TControl* control);

class TControl : public TComponent {
  UI_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* AParent);
  virtual bool IsWindowed() const { return false; }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
  void SetTop(int value) { SetBounds(left_, value, width_, height_); }
  void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
  void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
  // Moves and sizes the control in its parent's client coordinates (a form: on the screen).
  // The size passes CanResize and the constraints first.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  void SetBoundsRect(const RECT& r) { SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); }
  virtual RECT ClientRect() const;
  int ClientWidth() const { return ClientRect().right; }
  int ClientHeight() const { return ClientRect().bottom; }
  void SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
  void SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }
  virtual void SetClientSize(int width, int height);
  // Screen position of the client area's top-left corner.
  virtual POINT ClientOrigin() const;
  POINT ClientToScreen(POINT point) const;
  POINT ScreenToClient(POINT point) const;

  TSizeConstraints& Constraints() { return constraints_; }
  void SetConstraints(const TSizeConstraints& constraints);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign value);
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and every parent up to the top window visible too.
  virtual bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool value);

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& value) { font_.Assign(value); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  std::string Text() const { return GetText(); }
  void SetText(const std::string& value);
  std::string Caption() const { return GetText(); }
  void SetCaption(const std::string& value) { SetText(value); }

  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors value);
  // The mouse pointer shown over the control (crDefault: the parent's, else the arrow).
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value);
  // The hint shown in a tooltip while the mouse rests on the control, when ShowHint holds.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value) { hint_ = value; }
  // With ParentShowHint (the default) the parent's ShowHint counts.
  bool ShowHint() const;
  void SetShowHint(bool value);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool value) { parentShowHint_ = value; }

  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle value) { controlStyle_ = value; }

  virtual void Invalidate();
  virtual void Update();
  void Repaint() { Invalidate(); Update(); }
  void Refresh() { Repaint(); }
  void BringToFront();
  bool MouseCapture() const;
  void SetMouseCapture(bool value);

  // Sends a message through the control's WindowProc at once.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // Every message of the control passes through here; it starts as WndProc and can be
  // replaced (keep the old one and pass messages on to it) to filter the control's messages.
  std::function<void(TMessage&)> WindowProc;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnResize;
  TCanResizeEvent OnCanResize;

 protected:
  friend class TWinControl;

  // The control's own message handling: one table, each message cracked into a handler.
  virtual void WndProc(TMessage& Message);
  // What happens to messages no handler took (a control without a window: nothing).
  virtual void DefaultHandler(TMessage& Message);

  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  virtual void Resize();
  virtual bool CanResize(int& NewWidth, int& NewHeight);
  virtual std::string GetText() const { return text_; }
  virtual void SetTextNow(const std::string& value) { text_ = value; }
  void Loaded() override;
  // Asks the parent to lay out its aligned controls again.
  virtual void RequestAlign();
  // Remembers the distances to the parent's edges that the anchors keep.
  void UpdateAnchorRules();
  // Moves or stretches the control for the parent's new client size, as its anchors say.
  void ApplyAnchors();
  // Where the bounds are stored; a windowed control also moves its window.
  void StoreBounds(int ALeft, int ATop, int AWidth, int AHeight);
  bool CheckNewSize(int& NewWidth, int& NewHeight);

 private:
  void WMMouseButton(TMessage& Message, TMouseButton Button, bool down, bool doubleClick);
  void FontChanged();

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TSizeConstraints constraints_;
  TAlign align_ = alNone;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clWindow;
  bool parentColor_ = false;
  TFont font_;
  bool parentFont_ = true;
  std::string text_;
  TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csDoubleClicks;
  bool clicked_ = false;
  TAnchors anchors_ = akLeft | akTop;
  RECT anchorBounds_{0, 0, 0, 0};  // the bounds and the parent's client size the anchors
  SIZE anchorParent_{0, 0};        // keep distances from
  bool anchoring_ = false;
  TCursor cursor_ = crDefault;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
};

}  // namespace ui
