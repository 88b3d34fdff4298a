// Owners of the kernel handles the ripper object keeps: threads and events (null when there
// is none) and files (INVALID_HANDLE_VALUE when there is none).
#pragma once

#include <windows.h>

#include "UniqueHandle.h"

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type invalid() { return nullptr; }
    static void close(Type handle) { CloseHandle(handle); }
};
using KernelHandle = drive::UniqueHandle<KernelHandleTraits>;

struct FileHandleTraits {
    using Type = HANDLE;
    static Type invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Type handle) { CloseHandle(handle); }
};
using FileHandle = drive::UniqueHandle<FileHandleTraits>;
