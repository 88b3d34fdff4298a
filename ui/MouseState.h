// Which control the mouse is over and which windowless control holds the capture: the state
// behind mouse enter and leave messages and behind capture of controls without a window.
#pragma once

namespace ui {

class TControl;

namespace mouse_state {

TControl* Current();
// Makes target the control under the mouse, telling the old one it was left
// (CM_MOUSELEAVE) and the new one it was entered (CM_MOUSEENTER).
void SetCurrent(TControl* target);
TControl* CaptureControl();
void SetCaptureControl(TControl* control);
// A control going away (or losing its parent) is no longer under the mouse nor capturing it.
void Forget(const TControl* control);

}  // namespace mouse_state
}  // namespace ui
