// com::safearray: owner of one SAFEARRAY (SafeArrayDestroy on destruction), and
// com::safearray_data<T>: the SafeArrayAccessData / SafeArrayUnaccessData pair as a scope.
//
//   safearray a(SafeArrayCreateVector(VT_I2, 0, n));  if (!a) ... out of memory
//   { safearray_data<SHORT> d(a.get()); if (d) std::copy(src, src + n, d.begin()); }
//   a.detach()  hands the array to a caller; a.put() for an out-parameter
//
// safearray_data checks nothing about the element type: T must match the array's VARTYPE.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <utility>

namespace com {

class safearray {
public:
    safearray() noexcept = default;
    explicit safearray(SAFEARRAY* raw) noexcept : a_(raw) {}
    safearray(safearray&& other) noexcept : a_(std::exchange(other.a_, nullptr)) {}
    safearray& operator=(safearray&& other) noexcept {
        std::swap(a_, other.a_);
        return *this;
    }
    safearray(const safearray&) = delete;
    safearray& operator=(const safearray&) = delete;
    ~safearray() { reset(); }

    SAFEARRAY* get() const noexcept { return a_; }
    explicit operator bool() const noexcept { return a_ != nullptr; }
    SAFEARRAY** put() noexcept {
        reset();
        return &a_;
    }
    [[nodiscard]] SAFEARRAY* detach() noexcept { return std::exchange(a_, nullptr); }
    void reset() noexcept {
        if (SAFEARRAY* old = std::exchange(a_, nullptr)) SafeArrayDestroy(old);
    }

    // Number of elements of a one-dimensional array (0 for null or other shapes).
    static size_t count(SAFEARRAY* a) noexcept {
        if (!a || SafeArrayGetDim(a) != 1) return 0;
        return a->rgsabound[0].cElements;
    }

private:
    SAFEARRAY* a_ = nullptr;
};

template <class T>
class safearray_data {
public:
    explicit safearray_data(SAFEARRAY* a) noexcept : a_(a) {
        void* data = nullptr;
        hr_ = a ? SafeArrayAccessData(a, &data) : E_INVALIDARG;
        if (SUCCEEDED(hr_)) data_ = static_cast<T*>(data);
    }
    safearray_data(const safearray_data&) = delete;
    safearray_data& operator=(const safearray_data&) = delete;
    ~safearray_data() {
        if (data_) SafeArrayUnaccessData(a_);
    }

    explicit operator bool() const noexcept { return data_ != nullptr; }
    HRESULT result() const noexcept { return hr_; }
    T* begin() const noexcept { return data_; }
    T* end() const noexcept { return data_ + size(); }
    size_t size() const noexcept { return data_ ? safearray::count(a_) : 0; }

private:
    SAFEARRAY* a_;
    T* data_ = nullptr;
    HRESULT hr_;
};

}  // namespace com
