// com::apartment: CoInitializeEx for the lifetime of a scope; CoUninitialize only when the
// initialisation succeeded (S_OK or S_FALSE), as COM requires.
//
//   com::apartment sta;                         single-threaded apartment (the default)
//   com::apartment mta(COINIT_MULTITHREADED);
//   if (!sta) ... sta.result() tells why (RPC_E_CHANGED_MODE)
#pragma once

#include <windows.h>
#include <objbase.h>

namespace com {

class apartment {
public:
    explicit apartment(DWORD model = COINIT_APARTMENTTHREADED) noexcept
        : hr_(CoInitializeEx(nullptr, model)) {}
    apartment(const apartment&) = delete;
    apartment& operator=(const apartment&) = delete;
    ~apartment() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }

    explicit operator bool() const noexcept { return SUCCEEDED(hr_); }
    HRESULT result() const noexcept { return hr_; }

private:
    HRESULT hr_;
};

}  // namespace com
