// com::ptr<T>: owner of one interface pointer (AddRef on copy, Release on destruction).
//
//   ptr<T> p;  CoCreateInstance(..., IID_PPV_ARGS(p.put()));   put() releases, then hands out T**
//   p.get(), p->Method(), if (p) ...
//   ptr<U> u = p.query<U>();          null when the object lacks U (try_query gives the HRESULT)
//   p.copy_to(&out)                   AddRef'd copy into an out-parameter (null-safe)
//   p.attach(raw) / p.detach()        take over / give up the reference without counting
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace com {

template <class T>
class ptr {
public:
    ptr() noexcept = default;
    ptr(std::nullptr_t) noexcept {}
    // Takes its own reference to raw.
    explicit ptr(T* raw) noexcept : p_(raw) { addRef(); }
    ptr(const ptr& other) noexcept : p_(other.p_) { addRef(); }
    ptr(ptr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~ptr() { reset(); }

    ptr& operator=(const ptr& other) noexcept {
        ptr(other).swap(*this);
        return *this;
    }
    ptr& operator=(ptr&& other) noexcept {
        ptr(std::move(other)).swap(*this);
        return *this;
    }
    ptr& operator=(std::nullptr_t) noexcept {
        reset();
        return *this;
    }

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    // For out-parameters: drops the current reference and exposes the slot.
    T** put() noexcept {
        reset();
        return &p_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

    void reset() noexcept {
        if (T* old = std::exchange(p_, nullptr)) old->Release();
    }
    void attach(T* raw) noexcept {
        reset();
        p_ = raw;
    }
    [[nodiscard]] T* detach() noexcept { return std::exchange(p_, nullptr); }
    void swap(ptr& other) noexcept { std::swap(p_, other.p_); }

    HRESULT copy_to(T** out) const noexcept {
        if (!out) return E_POINTER;
        *out = p_;
        addRef();
        return S_OK;
    }

    template <class U>
    HRESULT try_query(ptr<U>& out) const noexcept {
        if (!p_) return E_POINTER;
        return p_->QueryInterface(__uuidof(U), out.put_void());
    }
    template <class U>
    ptr<U> query() const noexcept {
        ptr<U> out;
        try_query(out);
        return out;
    }

    friend bool operator==(const ptr& a, const ptr& b) noexcept { return a.p_ == b.p_; }

private:
    void addRef() const noexcept {
        if (p_) p_->AddRef();
    }

    T* p_ = nullptr;
};

}  // namespace com
