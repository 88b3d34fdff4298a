// While it lives, a class object of this process that makes nothing stands in for a class in
// the calling thread's apartment: creating the class there fails as if its component were
// missing, whatever the registry says.
#pragma once

#include <windows.h>

class RefusedClass {
public:
    explicit RefusedClass(REFCLSID clsid);
    RefusedClass(const RefusedClass&) = delete;
    RefusedClass& operator=(const RefusedClass&) = delete;
    ~RefusedClass();

    explicit operator bool() const { return cookie_ != 0; }

private:
    DWORD cookie_ = 0;
};
