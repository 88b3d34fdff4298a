// The Windows handles of the simulated host and its tools, each with one owner that closes it
// (the drive layer's single-owner template, with the kinds used here).
#pragma once

#include <windows.h>

#include "UniqueHandle.h"

namespace simdrive {

struct FileHandleTraits {
  using Type = HANDLE;
  static Type invalid() { return INVALID_HANDLE_VALUE; }
  static void close(Type handle) { CloseHandle(handle); }
};

struct KernelHandleTraits {
  using Type = HANDLE;
  static Type invalid() { return nullptr; }
  static void close(Type handle) { CloseHandle(handle); }
};

struct LibraryHandleTraits {
  using Type = HMODULE;
  static Type invalid() { return nullptr; }
  static void close(Type handle) { FreeLibrary(handle); }
};

using UniqueFile = drive::UniqueHandle<FileHandleTraits>;            // CreateFile results
using UniqueKernelHandle = drive::UniqueHandle<KernelHandleTraits>;  // events, threads
using UniqueLibrary = drive::UniqueHandle<LibraryHandleTraits>;

}  // namespace simdrive
