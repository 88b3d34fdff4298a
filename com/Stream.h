// Whole reads and writes on an IStream: a read that ends early fails (E_FAIL) instead of
// leaving part of the buffer unread.
#pragma once

#include <windows.h>
#include <objidl.h>

namespace com {

HRESULT readBytes(IStream* stream, void* buffer, ULONG size) noexcept;
HRESULT writeBytes(IStream* stream, const void* buffer, ULONG size) noexcept;

}  // namespace com
