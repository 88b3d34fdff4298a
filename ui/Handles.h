// One owner per USER/GDI handle: the handle is closed when the owner is reset or destroyed.
#pragma once

#include "Win32.h"

#include <memory>
#include <utility>

namespace ui {

template <typename T, auto Close, T Invalid = T{}>
class UniqueAny {
 public:
  UniqueAny() = default;
  explicit UniqueAny(T handle) : handle_(handle) {}
  UniqueAny(UniqueAny&& other) noexcept : handle_(other.release()) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;
  ~UniqueAny() { reset(); }

  T get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }
  void reset(T handle = Invalid) {
    T old = std::exchange(handle_, handle);
    if (old != Invalid) Close(old);
  }
  T release() { return std::exchange(handle_, Invalid); }

 private:
  T handle_ = Invalid;
};

namespace detail {
template <typename T>
void DeleteGdiObject(T object) {
  ::DeleteObject(object);
}
inline void DeleteMemoryDc(HDC dc) { ::DeleteDC(dc); }
inline void DestroyIconHandle(HICON icon) { ::DestroyIcon(icon); }
inline void DestroyImageListHandle(HIMAGELIST list) { ImageList_Destroy(list); }
inline void DestroyWindowHandle(HWND wnd) { ::DestroyWindow(wnd); }
}  // namespace detail

template <typename T>
using UniqueGdi = UniqueAny<T, detail::DeleteGdiObject<T>>;
using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniquePen = UniqueGdi<HPEN>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueRegion = UniqueGdi<HRGN>;
using UniqueMemoryDc = UniqueAny<HDC, detail::DeleteMemoryDc>;
// A device context made by CreateDC (a printer's), deleted the same way.
using UniqueDc = UniqueMemoryDc;
using UniqueIcon = UniqueAny<HICON, detail::DestroyIconHandle>;
using UniqueImageList = UniqueAny<HIMAGELIST, detail::DestroyImageListHandle>;
using UniqueWindow = UniqueAny<HWND, detail::DestroyWindowHandle>;

// A GDI object shared by its maker and the canvases that have it selected: replacing it in the
// maker never deletes it from under a device context that still uses it.
using SharedGdiObject = std::shared_ptr<void>;
inline SharedGdiObject ShareGdiObject(HGDIOBJ object) {
  return object ? SharedGdiObject(object, [](void* o) { ::DeleteObject(o); }) : nullptr;
}

// A device context borrowed from a window (GetDC/GetWindowDC), given back on destruction.
class WindowDc {
 public:
  WindowDc(HWND wnd, HDC dc) : wnd_(wnd), dc_(dc) {}
  static WindowDc Client(HWND wnd) { return {wnd, ::GetDC(wnd)}; }
  static WindowDc Whole(HWND wnd) { return {wnd, ::GetWindowDC(wnd)}; }
  WindowDc(WindowDc&& other) noexcept
      : wnd_(other.wnd_), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  WindowDc& operator=(WindowDc&&) = delete;
  ~WindowDc() {
    if (dc_) ::ReleaseDC(wnd_, dc_);
  }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND wnd_;
  HDC dc_;
};

// SaveDC/RestoreDC around a block of drawing that changes the context's state.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;
  ~SavedDcState() {
    if (saved_) ::RestoreDC(dc_, saved_);
  }

 private:
  HDC dc_;
  int saved_;
};

// Keeps an object selected into a device context for the life of the guard.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { ::SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace ui
