// Error flow inside functions that return HRESULT, and the barrier that keeps C++ exceptions
// from crossing a COM method.
//
//   RETURN_IF_FAILED(expr)   evaluates an HRESULT expression and returns it when it failed.
//   com::guarded(fn)         runs fn (returning HRESULT) and turns an escaping exception into
//                            E_OUTOFMEMORY (std::bad_alloc) or E_UNEXPECTED (anything else).
#pragma once

#include <windows.h>

#include <new>

#define RETURN_IF_FAILED(expr)                                                                     \
    do {                                                                                           \
        const HRESULT hr_ = (expr);                                                                \
        if (FAILED(hr_)) return hr_;                                                               \
    } while (0)

namespace com {

template <class Fn>
HRESULT guarded(Fn&& fn) noexcept {
    try {
        return fn();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace com
