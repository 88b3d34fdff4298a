#include "com/LateBound.h"

#include "com/Result.h"

#include <iterator>
#include <utility>
#include <vector>

namespace com {

namespace {

HRESULT invoke(IDispatch* object, const wchar_t* name, WORD flags, std::vector<variant> reversedArguments,
               VARIANT* result) {
    if (!object || !name) return E_POINTER;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    RETURN_IF_FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    params.cArgs = static_cast<UINT>(reversedArguments.size());
    params.rgvarg = reversedArguments.empty() ? nullptr : reversedArguments.front().get();
    if (flags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

}  // namespace

HRESULT callMethod(IDispatch* object, const wchar_t* name, std::initializer_list<variant> arguments,
                   variant* result) {
    // DISPPARAMS carries the arguments last first.
    std::vector<variant> reversed(std::rbegin(arguments), std::rend(arguments));
    variant ignored;
    return invoke(object, name, DISPATCH_METHOD, std::move(reversed), result ? result->put() : ignored.put());
}

HRESULT getProperty(IDispatch* object, const wchar_t* name, variant& value) {
    return invoke(object, name, DISPATCH_PROPERTYGET, {}, value.put());
}

HRESULT putProperty(IDispatch* object, const wchar_t* name, const variant& value) {
    return invoke(object, name, DISPATCH_PROPERTYPUT, {value}, nullptr);
}

}  // namespace com
