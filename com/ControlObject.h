// com::ControlObject<C, I>: a complete ActiveX control class C with the dual interface I:
// IUnknown and IDispatch of I (Object, Dispatch), the interfaces of com::Control, and
// IProvideClassInfo2 (C names classId and sourceId, as for ProvideClassInfo), and the event
// connection point of sourceId unless it is IID_NULL.
//
//   class Gauge final : public com::ControlObject<Gauge, IGauge> { ... };   see Control.h
#pragma once

#include "com/Control.h"
#include "com/Dispatch.h"
#include "com/Object.h"
#include "com/ProvideClassInfo.h"

namespace com {

template <class C, class I>
class ControlObject : public Object<Dispatch<I>, Control, ProvideClassInfo<C>> {
public:
    ControlObject() {
        if (!IsEqualIID(C::sourceId, IID_NULL)) this->declareEvents(C::sourceId);
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (void* found = this->controlInterface(iid)) {
            *out = found;
            this->AddRef();
            return S_OK;
        }
        return Object<Dispatch<I>, Control, ProvideClassInfo<C>>::QueryInterface(iid, out);
    }

private:
    const CLSID& classId() const noexcept override { return C::classId; }
};

}  // namespace com
