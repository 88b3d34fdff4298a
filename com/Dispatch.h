// com::Dispatch<I>: the IDispatch half of a dual interface I, driven by the module's type
// library, so late-bound clients (scripts) reach the same vtable methods by name and DISPID.
// Use it as an entry of com::Object:
//
//   class Foo : public com::Object<com::Dispatch<IFoo>> { ... IFoo's own methods ... };
//
// Invoke checks the interface id (DISP_E_UNKNOWNINTERFACE), that no more arguments come than
// the member takes (DISP_E_BADPARAMCOUNT) and that no required one is marked missing
// (DISP_E_PARAMNOTOPTIONAL); the rest (DISP_E_MEMBERNOTFOUND, too few arguments,
// DISP_E_TYPEMISMATCH, defaults of optional arguments) is ITypeInfo::Invoke's work. GetIDsOfNames is case-insensitive, as scripts need.
#pragma once

#include "com/Ptr.h"
#include "com/Result.h"
#include "com/TypeLibrary.h"

#include <oleauto.h>

namespace com {

template <class I>
class Dispatch : public I {
public:
    using interface_type = I;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        return typeInfoOf(__uuidof(I), out);
    }
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        ptr<ITypeInfo> info;
        RETURN_IF_FAILED(interfaceTypeInfoOf(__uuidof(I), info.put()));
        return DispGetIDsOfNames(info.get(), names, count, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override {
        if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        if (!params) return E_INVALIDARG;
        ptr<ITypeInfo> info;
        RETURN_IF_FAILED(interfaceTypeInfoOf(__uuidof(I), info.put()));
        RETURN_IF_FAILED(checkArguments(info.get(), id, flags, *params));
        return DispInvoke(static_cast<I*>(this), info.get(), id, flags, params, result, exception, argumentError);
    }
};

}  // namespace com
