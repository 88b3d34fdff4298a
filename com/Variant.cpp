#include "com/Variant.h"

#include "com/Bstr.h"

#include <cstring>
#include <new>
#include <utility>

namespace com {

variant::variant(LONG value) noexcept {
    VariantInit(&v_);
    v_.vt = VT_I4;
    v_.lVal = value;
}

variant::variant(short value) noexcept {
    VariantInit(&v_);
    v_.vt = VT_I2;
    v_.iVal = value;
}

variant::variant(double value) noexcept {
    VariantInit(&v_);
    v_.vt = VT_R8;
    v_.dblVal = value;
}

variant::variant(float value) noexcept {
    VariantInit(&v_);
    v_.vt = VT_R4;
    v_.fltVal = value;
}

variant::variant(bool value) noexcept {
    VariantInit(&v_);
    v_.vt = VT_BOOL;
    v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

variant::variant(std::wstring_view text) {
    VariantInit(&v_);
    v_.bstrVal = bstr(text).detach();
    v_.vt = VT_BSTR;
}

variant::variant(IDispatch* object) noexcept {
    VariantInit(&v_);
    v_.vt = VT_DISPATCH;
    v_.pdispVal = object;
    if (object) object->AddRef();
}

variant::variant(safearray&& array) noexcept {
    VariantInit(&v_);
    VARTYPE element = VT_EMPTY;
    if (!array || FAILED(SafeArrayGetVartype(array.get(), &element))) return;
    v_.vt = VT_ARRAY | element;
    v_.parray = array.detach();
}

variant::variant(const variant& other) {
    VariantInit(&v_);
    if (FAILED(VariantCopy(&v_, const_cast<VARIANT*>(&other.v_)))) throw std::bad_alloc();
}

variant::variant(variant&& other) noexcept {
    std::memcpy(&v_, &other.v_, sizeof v_);
    VariantInit(&other.v_);
}

variant& variant::operator=(variant other) noexcept {
    std::swap(v_, other.v_);
    return *this;
}

HRESULT variant::detach_to(VARIANT* out) noexcept {
    if (!out) return E_POINTER;
    std::memcpy(out, &v_, sizeof v_);
    VariantInit(&v_);
    return S_OK;
}

SAFEARRAY* arrayIn(const VARIANT& v, VARTYPE element) noexcept {
    const VARIANT* held = &v;
    if (held->vt == (VT_VARIANT | VT_BYREF)) held = held->pvarVal;
    if (!held) return nullptr;
    if (held->vt == (VT_ARRAY | element)) return held->parray;
    if (held->vt == (VT_ARRAY | element | VT_BYREF)) return held->pparray ? *held->pparray : nullptr;
    return nullptr;
}

}  // namespace com
