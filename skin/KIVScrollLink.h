// What the list box and the memo share about the skinned scroll bars they carry: a bar stands
// over the native one as a sibling control, takes the native bar's state after everything that
// may scroll, and sends its own moves back as scroll messages. Positions are read and sent as
// 32-bit values: a thumb position in a scroll message's high word stops at 32767.
#pragma once

#include <functional>
#include <initializer_list>

#include "KIVScrollBar.h"
#include "NativeControl.h"

namespace kiv {

// The skinned bar's Max for a native range: maximum - page + 1, held within the integers.
int ScrollRangeMax(int maximum, unsigned page);

// What a message to a control carrying skinned bars asks of them, after the control handled it.
enum class TkivScrollDuty { None, Sync, Place, Raise };
// pressed: the left button went down in the control and has not come up (kept here);
// contentMessages: the control's own messages that change what it shows.
TkivScrollDuty ScrollDutyOf(UINT msg, bool& pressed, std::initializer_list<UINT> contentMessages);

// A control's attached bar of one orientation: not owned; the control hears of its end.
class TkivScrollLink {
 public:
  TkivScrollLink(ui::TNativeControl& control, TkivProgressBarOrientation orientation)
      : control_(control), orientation_(orientation) {}
  TkivScrollLink(const TkivScrollLink&) = delete;
  TkivScrollLink& operator=(const TkivScrollLink&) = delete;
  // Lets the bar go as it is.
  ~TkivScrollLink() { Release(); }

  TkivScrollBar* Bar() const { return bar_; }
  bool Vertical() const { return orientation_ == kivVertical; }
  // Releases the bar attached before (its OnChange cleared, LineButton 0, Max 100, enabled);
  // a new one takes the orientation, reports its moves to onChange and comes to the front.
  void Attach(TkivScrollBar* bar, ui::TNotifyEvent onChange);
  // The bar is being destroyed: forget it.
  void Forget(const ui::TComponent* component);
  // Copies the native bar into the skinned one. A native bar that is hidden or unavailable
  // leaves the skinned one disabled with no line button and, by hideWhole, hidden or only
  // without its thumb.
  void Sync(bool hideWhole);
  // Puts the bar's window just above the control's, over the native bar: windows made later
  // go below the ones made before them.
  void Raise();
  // Scrolls the native control to the skinned bar's position: by the thumb-position message
  // when the position fits it, else by wide, given the position.
  void ScrollNative(const std::function<void(int)>& wide);

 private:
  void Release();

  ui::TNativeControl& control_;
  const TkivProgressBarOrientation orientation_;
  TkivScrollBar* bar_ = nullptr;
};

}  // namespace kiv
