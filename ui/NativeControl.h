// TNativeControl: the base of the wrappers over the system's own controls (edit, list box,
// combo box, list view, tree view, tool bar). It gives them the sunken edge or none
// (BorderStyle), drawing through an off-screen bitmap (DoubleBuffered), and a canvas that owner
// and custom drawing hand the control's device context to, and the states those drawings see.
#pragma once

#include "ControlCanvas.h"
#include "Form.h"
#include "WinControl.h"

namespace ui {

// A control's border: bsNone or bsSingle (a sunken edge).
using TBorderStyle = TFormBorderStyle;

// What owner drawing (list box and combo box items) is told about an item.
enum TOwnerDrawStateFlag : unsigned {
  odSelected = 1, odGrayed = 2, odDisabled = 4, odChecked = 8, odFocused = 16, odDefault = 32,
  odComboBoxEdit = 64,
};
using TOwnerDrawState = unsigned;
TOwnerDrawState OwnerDrawState(UINT itemState);

// What custom drawing (list view rows, tool bar buttons) is told about an item.
enum TCustomDrawStateFlag : unsigned {
  cdsSelected = 1, cdsGrayed = 2, cdsDisabled = 4, cdsChecked = 8, cdsFocused = 16,
  cdsDefault = 32, cdsHot = 64, cdsMarked = 128, cdsIndeterminate = 256,
};
using TCustomDrawState = unsigned;
TCustomDrawState CustomDrawState(UINT itemState);

// The height of a line of text in the font (the text metrics' height).
int FontLineHeight(const TFont& font);

// Counts itself in for its lifetime: marks the notifications a control causes itself.
class ScopedCount {
 public:
  explicit ScopedCount(int& counter) : counter_(counter) { ++counter_; }
  ScopedCount(const ScopedCount&) = delete;
  ScopedCount& operator=(const ScopedCount&) = delete;
  ~ScopedCount() { --counter_; }

 private:
  int& counter_;
};

// The BeginUpdate/EndUpdate brackets of a control's items: inside them the window does not
// redraw, and at the end of the outermost it redraws once.
class RedrawBracket {
 public:
  explicit RedrawBracket(TWinControl& control) : control_(control) {}
  void Begin();
  void End();
  bool Open() const { return depth_ > 0; }

 private:
  TWinControl& control_;
  int depth_ = 0;
};

class TNativeControl : public TWinControl {
  UI_CLASS(TNativeControl, TWinControl)
 public:
  explicit TNativeControl(TComponent* AOwner);

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  // Paints through an off-screen bitmap copied in one operation, so rows being redrawn never
  // show a half-painted state.
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
  // During owner or custom drawing the context being drawn; otherwise the window's.
  TCanvas& Canvas() { return canvas_; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  // The style bit set or cleared on the living window (for styles it takes without a new one).
  void ChangeWindowStyle(DWORD bit, bool on);

  // Lends dc to the canvas, with the control's font and colour, for the life of the guard.
  class CanvasOn {
   public:
    CanvasOn(TNativeControl& control, HDC dc);
    CanvasOn(const CanvasOn&) = delete;
    CanvasOn& operator=(const CanvasOn&) = delete;
    ~CanvasOn();

   private:
    TNativeControl& control_;
    com::saved_dc_state saved_;
  };

 private:
  void PaintBuffered();

  TBorderStyle borderStyle_ = bsSingle;
  bool doubleBuffered_ = false;
  TControlCanvas canvas_;
};

}  // namespace ui
