// com::bstr: owner of one BSTR, and the conversions between BSTRs and ANSI text.
//
//   bstr s(L"text");  s.get() to pass in, s.put() for an out-parameter, s.detach() to return it
//   bstr::from_ansi("text")      ANSI (system code page) to a new BSTR
//   com::to_ansi(raw)            BSTR to ANSI text; a null BSTR is the empty string
//   com::view(raw)               BSTR as std::wstring_view, null-safe, embedded nulls kept
//   com::copy_to(out, text)      new BSTR of text into an out-parameter (E_POINTER, E_OUTOFMEMORY)
//
// Constructors throw std::bad_alloc when the allocation fails; COM methods run them inside
// com::guarded or use copy_to, which reports the failure as E_OUTOFMEMORY.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace com {

inline std::wstring_view view(BSTR raw) noexcept {
    return raw ? std::wstring_view(raw, SysStringLen(raw)) : std::wstring_view();
}

class bstr {
public:
    bstr() noexcept = default;
    explicit bstr(std::wstring_view text);
    bstr(const bstr& other) : bstr(other.view()) {}
    bstr(bstr&& other) noexcept : s_(std::exchange(other.s_, nullptr)) {}
    ~bstr() { reset(); }
    bstr& operator=(bstr other) noexcept {
        std::swap(s_, other.s_);
        return *this;
    }

    static bstr from_ansi(std::string_view text);

    BSTR get() const noexcept { return s_; }
    std::wstring_view view() const noexcept { return com::view(s_); }
    BSTR* put() noexcept {
        reset();
        return &s_;
    }
    [[nodiscard]] BSTR detach() noexcept { return std::exchange(s_, nullptr); }
    void attach(BSTR raw) noexcept {
        reset();
        s_ = raw;
    }
    void reset() noexcept {
        SysFreeString(s_);
        s_ = nullptr;
    }

private:
    BSTR s_ = nullptr;
};

std::string to_ansi(BSTR raw);

HRESULT copy_to(BSTR* out, std::wstring_view text) noexcept;

}  // namespace com
