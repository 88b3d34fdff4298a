#include "com/Stream.h"

namespace com {

HRESULT readBytes(IStream* stream, void* buffer, ULONG size) noexcept {
    if (!stream) return E_POINTER;
    ULONG read = 0;
    const HRESULT hr = stream->Read(buffer, size, &read);
    if (FAILED(hr)) return hr;
    return read == size ? S_OK : E_FAIL;
}

HRESULT writeBytes(IStream* stream, const void* buffer, ULONG size) noexcept {
    if (!stream) return E_POINTER;
    ULONG written = 0;
    const HRESULT hr = stream->Write(buffer, size, &written);
    if (FAILED(hr)) return hr;
    return written == size ? S_OK : STG_E_MEDIUMFULL;
}

}  // namespace com
