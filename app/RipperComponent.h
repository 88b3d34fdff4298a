// The main window's ripper component (AudioCDRipper1): the AudioCDRipper object, made at its
// first use on this thread (a running instance registered with the system first, else a new
// one in-process), with an event sink for Error, RipProgress and CDDBQueryStatus.
#pragma once

#include <functional>

#include "com/ConnectionPoint.h"
#include "com/Ptr.h"

#include "ZEVDiscRipper.h"

namespace app {

class RipperComponent {
 public:
  RipperComponent() = default;
  RipperComponent(const RipperComponent&) = delete;
  RipperComponent& operator=(const RipperComponent&) = delete;
  ~RipperComponent() { Release(); }

  // Makes the object and connects the sink when there is none yet; the failure's result else.
  HRESULT Connect();
  // The object, or null when it could not be made.
  IAudioCDRipper* get() const { return ripper_.get(); }
  explicit operator bool() const { return static_cast<bool>(ripper_); }
  void Release();

  // The events, each with its one argument; the handlers run on this thread.
  std::function<void(long Errcode)> OnError;
  std::function<void(long Percent)> OnRipProgress;
  std::function<void(long Status)> OnCDDBQueryStatus;

 private:
  void Dispatch(DISPID id, const DISPPARAMS& params);

  com::ptr<IAudioCDRipper> ripper_;
  com::ptr<com::EventSink> sink_;
  com::Connection connection_;
};

}  // namespace app
