// com::variant: owner of one VARIANT (VariantInit on creation, VariantClear on destruction).
//
//   variant v(42L);  variant s(L"text");  variant b(true);   VT_I4, VT_BSTR, VT_BOOL (-1 / 0)
//   variant f(1.5f);   VT_R4
//   variant a(std::move(array));   takes a com::safearray over: VT_ARRAY | its element type
//   variant d(object);   VT_DISPATCH holding its own reference (null stays null)
//   v.get()      the VARIANT (const VARIANT* for passing in)
//   v.put()      clears and exposes the VARIANT for an out-parameter
//   v.detach_to(out)   moves the value into a caller's VARIANT without copying
//   v.change_type(VT_I4)   VariantChangeType in place
//
// The layout is exactly one VARIANT, so an array of com::variant can serve as DISPPARAMS::rgvarg.
// Constructors throw std::bad_alloc when a BSTR or a copy cannot be allocated.
//
//   arrayIn(v, VT_I2)   the array a VARIANT argument holds, as callers pass arrays: by value, by
//                       reference, or through a VARIANT reference (a script's variable)
#pragma once

#include "com/SafeArray.h"

#include <windows.h>
#include <oleauto.h>

#include <string_view>

namespace com {

class variant {
public:
    variant() noexcept { VariantInit(&v_); }
    explicit variant(LONG value) noexcept;
    explicit variant(int value) noexcept : variant(static_cast<LONG>(value)) {}
    explicit variant(short value) noexcept;
    explicit variant(double value) noexcept;
    explicit variant(float value) noexcept;
    explicit variant(bool value) noexcept;
    explicit variant(std::wstring_view text);
    // Without this overload an interface pointer would silently become VT_BOOL.
    explicit variant(IDispatch* object) noexcept;
    // An array whose element type cannot be read is destroyed and leaves the variant empty.
    explicit variant(safearray&& array) noexcept;
    variant(const variant& other);
    variant(variant&& other) noexcept;
    ~variant() { VariantClear(&v_); }
    variant& operator=(variant other) noexcept;

    const VARIANT* get() const noexcept { return &v_; }
    VARIANT* get() noexcept { return &v_; }
    VARIANT* put() noexcept {
        VariantClear(&v_);
        return &v_;
    }
    VARTYPE type() const noexcept { return v_.vt; }
    HRESULT change_type(VARTYPE to) noexcept { return VariantChangeType(&v_, &v_, 0, to); }
    HRESULT detach_to(VARIANT* out) noexcept;

private:
    VARIANT v_;
};

static_assert(sizeof(variant) == sizeof(VARIANT));

// The array v holds with elements of type element (VT_VARIANT for a script's array), or null
// when it holds something else. The array stays the caller's.
SAFEARRAY* arrayIn(const VARIANT& v, VARTYPE element) noexcept;

}  // namespace com
