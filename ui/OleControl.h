// TOleControl: an ActiveX control placed on a form like any windowed control. It is made
// from its class identifier and its stored control data (the stream its IPersistStreamInit
// writes, as a window layout keeps it) when its window is made, sized with the window, and
// its events reach std::function handlers by DISPID. A control invisible at run time (its
// registered MiscStatus says so) starts hidden and gets no window of its own inside ours.
// When the window is made again
// (RecreateWnd) the control's state moves over through the same stored data.
//
//   auto* player = new ui::TOleControl(form, CLSID_AudioPlayer, DIID__IAudioPlayerEvents);
//   player->SetParent(form);  player->SetControlData(storedBytes);
//   player->SetEvent(4, [&](const DISPPARAMS& p) { ... });   // arguments last to first
//   com::ptr<IAudioPlayer> ap = player->Query<IAudioPlayer>();
#pragma once

#include "WinControl.h"
#include "com/ControlHost.h"

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace ui {

using TOleEvent = std::function<void(const DISPPARAMS& Params)>;

class TOleControl : public TWinControl {
  UI_CLASS(TOleControl, TWinControl)
 public:
  // Events: the control's outgoing dispinterface, IID_NULL when its events are not wanted.
  TOleControl(TComponent* AOwner, const CLSID& ClassId, const IID& Events = IID_NULL);

  // The stored data the control starts from (empty: a new control).
  void SetControlData(std::vector<uint8_t> Data) { data_ = std::move(Data); }
  // The control's state now, as SetControlData takes it.
  std::vector<uint8_t> ControlData();

  // The handler for the event with this DISPID (an empty one removes it).
  void SetEvent(DISPID Id, TOleEvent Handler);

  // The control's interfaces; asking makes the window and the control.
  com::ptr<IDispatch> OleObject();
  template <class I>
  com::ptr<I> Query() {
    HandleNeeded();
    return host_.query<I>();
  }

 protected:
  void CreateWindowHandle() override;
  void DestroyWnd() override;
  void Resize() override;

 private:
  void Dispatch(DISPID id, const DISPPARAMS& params);

  CLSID classId_;
  IID events_;
  std::vector<uint8_t> data_;
  std::map<DISPID, TOleEvent> handlers_;
  com::ControlHost host_;
};

}  // namespace ui
