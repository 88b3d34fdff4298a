// One owner per Windows handle: closes it when it goes out of scope.
#pragma once

#include <windows.h>

#include <utility>

namespace simdrive {

template <typename Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() = default;
  explicit UniqueHandle(Type handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Type get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }
  Type release() { return std::exchange(handle_, Traits::Invalid()); }
  void reset(Type handle = Traits::Invalid()) {
    if (handle_ != Traits::Invalid()) Traits::Close(handle_);
    handle_ = handle;
  }

 private:
  Type handle_ = Traits::Invalid();
};

struct FileHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type handle) { CloseHandle(handle); }
};

struct KernelHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type handle) { CloseHandle(handle); }
};

struct LibraryHandleTraits {
  using Type = HMODULE;
  static Type Invalid() { return nullptr; }
  static void Close(Type handle) { FreeLibrary(handle); }
};

using UniqueFile = UniqueHandle<FileHandleTraits>;            // CreateFile results
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;  // events, threads
using UniqueLibrary = UniqueHandle<LibraryHandleTraits>;

}  // namespace simdrive
