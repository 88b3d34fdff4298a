// Calls on an object known only through IDispatch, its members found by name as a script finds
// them: for outside components whose interfaces this code does not compile against.
//
//   com::callMethod(object, L"SetMp3Format", {variant(44100L), variant(128L), variant(2L)});
//   com::callMethod(object, L"GetFormatString", {}, &result);   result: the [out, retval] value
//   com::getProperty(object, L"Bitrate", value);  com::putProperty(object, L"Bitrate", variant(128L));
//
// Arguments are given in the member's own order. Each returns the failure of GetIDsOfNames or
// Invoke, or S_OK. The argument copies throw std::bad_alloc when memory runs out: call these
// inside com::guarded.
#pragma once

#include "com/Variant.h"

#include <oaidl.h>

#include <initializer_list>

namespace com {

HRESULT callMethod(IDispatch* object, const wchar_t* name, std::initializer_list<variant> arguments = {},
                   variant* result = nullptr);
HRESULT getProperty(IDispatch* object, const wchar_t* name, variant& value);
HRESULT putProperty(IDispatch* object, const wchar_t* name, const variant& value);

}  // namespace com
