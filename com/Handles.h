// One owner for any Windows handle, closed when the owner is reset, replaced or destroyed:
//   com::unique_any<HANDLE, CloseHandle, -1> file(CreateFileA(...));
//   file.get()  the handle; file.release() hands it on; file.reset(other) closes the old one
// Invalid is the value that means "none" as a number (0 for null, -1 for INVALID_HANDLE_VALUE),
// since a pointer such as INVALID_HANDLE_VALUE cannot be a template argument.
// The kernel and USER kinds used across the tree are named here; GDI kinds are in Gdi.h.
#pragma once

#include <windows.h>

#include <cstdint>
#include <type_traits>
#include <utility>

namespace com {

template <typename T, auto Close, std::intptr_t Invalid = 0>
class unique_any {
public:
    static T none() noexcept {
        if constexpr (std::is_pointer_v<T>) return reinterpret_cast<T>(Invalid);
        else return static_cast<T>(Invalid);
    }

    unique_any() noexcept = default;
    explicit unique_any(T handle) noexcept : handle_(handle) {}
    unique_any(unique_any&& other) noexcept : handle_(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        reset(other.release());
        return *this;
    }
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    ~unique_any() { reset(); }

    T get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != none(); }
    void reset(T handle = none()) noexcept {
        T old = std::exchange(handle_, handle);
        if (old != none()) Close(old);
    }
    T release() noexcept { return std::exchange(handle_, none()); }

private:
    T handle_ = none();
};

// Events, threads, processes: null when there is none.
using unique_handle = unique_any<HANDLE, CloseHandle>;
// CreateFile results: INVALID_HANDLE_VALUE when there is none.
using unique_file = unique_any<HANDLE, CloseHandle, -1>;
using unique_library = unique_any<HMODULE, FreeLibrary>;
using unique_window = unique_any<HWND, DestroyWindow>;
using unique_icon = unique_any<HICON, DestroyIcon>;
using unique_menu = unique_any<HMENU, DestroyMenu>;

}  // namespace com
