// The type library embedded as resource 1 of the module this code is linked into, loaded once
// and shared by every object of the module.
//
//   com::typeInfoOf(guid, &info)           the type information of a coclass, interface or
//                                          dispinterface described in the library
//   com::interfaceTypeInfoOf(iid, &info)   for a dual interface its vtable half, whose
//                                          functions ITypeInfo::Invoke calls directly
//   com::checkArguments(info, id, flags, params)
//                                          DISP_E_BADPARAMCOUNT when a call passes more
//                                          arguments than the member takes, and
//                                          DISP_E_PARAMNOTOPTIONAL when a required one is
//                                          marked missing; ITypeInfo::Invoke of some platforms
//                                          ignores extra arguments or reports a type mismatch
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace com {

HRESULT moduleTypeLibrary(ITypeLib** out) noexcept;
HRESULT typeInfoOf(REFGUID guid, ITypeInfo** out) noexcept;
HRESULT interfaceTypeInfoOf(REFIID iid, ITypeInfo** out) noexcept;
HRESULT checkArguments(ITypeInfo* info, DISPID id, WORD flags, const DISPPARAMS& params) noexcept;

}  // namespace com
