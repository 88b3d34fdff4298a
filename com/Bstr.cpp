#include "com/Bstr.h"

#include <climits>
#include <new>

namespace com {

namespace {

BSTR allocate(std::wstring_view text) noexcept {
    if (text.size() > UINT_MAX / sizeof(wchar_t)) return nullptr;
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

}  // namespace

bstr::bstr(std::wstring_view text) : s_(allocate(text)) {
    if (!s_) throw std::bad_alloc();
}

bstr bstr::from_ansi(std::string_view text) {
    if (text.size() > INT_MAX) throw std::bad_alloc();
    const int length = static_cast<int>(text.size());
    const int wide = length ? MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0) : 0;
    bstr result;
    result.s_ = SysAllocStringLen(nullptr, static_cast<UINT>(wide));
    if (!result.s_) throw std::bad_alloc();
    if (wide) MultiByteToWideChar(CP_ACP, 0, text.data(), length, result.s_, wide);
    return result;
}

std::string to_ansi(BSTR raw) {
    const std::wstring_view text = view(raw);
    if (text.empty() || text.size() > INT_MAX) return {};
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(bytes), '\0');
    if (bytes) WideCharToMultiByte(CP_ACP, 0, text.data(), length, result.data(), bytes, nullptr, nullptr);
    return result;
}

HRESULT copy_to(BSTR* out, std::wstring_view text) noexcept {
    if (!out) return E_POINTER;
    *out = allocate(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace com
