// com::ProvideClassInfo<C>: IProvideClassInfo2 for class C from the module's type library.
// C names its coclass and its outgoing dispinterface (IID_NULL when it has none):
//
//   class Foo : public com::Object<com::Dispatch<IFoo>, com::ProvideClassInfo<Foo>> {
//   public:
//       static constexpr const CLSID& classId = CLSID_Foo;
//       static constexpr const IID& sourceId = DIID__IFooEvents;
//   };
#pragma once

#include "com/TypeLibrary.h"

#include <ocidl.h>

namespace com {

template <class C>
class ProvideClassInfo : public IProvideClassInfo2 {
public:
    using interface_type = IProvideClassInfo2;

    STDMETHODIMP GetClassInfo(ITypeInfo** out) override { return typeInfoOf(C::classId, out); }
    STDMETHODIMP GetGUID(DWORD kind, GUID* out) override {
        if (!out) return E_POINTER;
        if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
        *out = C::sourceId;
        return S_OK;
    }
};

}  // namespace com
