#include "RipperComponent.h"

#include <oleauto.h>

#include "com/Result.h"
#include "com/Variant.h"

namespace app {

namespace {

// _IAudioCDRipperEvents
constexpr DISPID kErrorEvent = 1;
constexpr DISPID kRipProgressEvent = 2;
constexpr DISPID kCDDBQueryStatusEvent = 5;

}  // namespace

HRESULT RipperComponent::Connect() {
  if (ripper_) return S_OK;
  com::ptr<IUnknown> running;
  com::ptr<IAudioCDRipper> ripper;
  if (FAILED(GetActiveObject(CLSID_AudioCDRipper, nullptr, running.put())) ||
      FAILED(running->QueryInterface(IID_PPV_ARGS(ripper.put())))) {
    RETURN_IF_FAILED(CoCreateInstance(CLSID_AudioCDRipper, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(ripper.put())));
  }
  auto sink = com::make<com::EventSink>(DIID__IAudioCDRipperEvents,
                                        [this](DISPID id, const DISPPARAMS& params) { Dispatch(id, params); });
  RETURN_IF_FAILED(connection_.connect(ripper.get(), DIID__IAudioCDRipperEvents, sink->identity()));
  ripper_ = std::move(ripper);
  sink_ = std::move(sink);
  return S_OK;
}

void RipperComponent::Release() {
  connection_.disconnect();
  sink_.reset();
  ripper_.reset();
}

void RipperComponent::Dispatch(DISPID id, const DISPPARAMS& params) {
  long argument = 0;
  if (params.cArgs >= 1) {
    com::variant value;
    if (SUCCEEDED(VariantCopy(value.put(), &params.rgvarg[params.cArgs - 1])) && SUCCEEDED(value.change_type(VT_I4)))
      argument = value.get()->lVal;
  }
  const auto call = [argument](const std::function<void(long)>& handler) {
    if (handler) handler(argument);
  };
  switch (id) {
    case kErrorEvent: call(OnError); break;
    case kRipProgressEvent: call(OnRipProgress); break;
    case kCDDBQueryStatusEvent: call(OnCDDBQueryStatus); break;
    default: break;  // RipRetry and MediaChange are not the main window's
  }
}

}  // namespace app
