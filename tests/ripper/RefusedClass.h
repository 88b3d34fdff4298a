// While it lives, a class object of this process stands in for a class in the calling thread's
// apartment, whatever the registry says: creating the class there gives what the stand-in
// makes. RefusedClass makes nothing, as if the class's component were missing.
#pragma once

#include <windows.h>

#include <functional>

class StandInClass {
public:
    using Make = std::function<HRESULT(REFIID iid, void** out)>;
    StandInClass(REFCLSID clsid, Make make);
    StandInClass(const StandInClass&) = delete;
    StandInClass& operator=(const StandInClass&) = delete;
    ~StandInClass();

    explicit operator bool() const { return cookie_ != 0; }

private:
    DWORD cookie_ = 0;
};

class RefusedClass : public StandInClass {
public:
    explicit RefusedClass(REFCLSID clsid);
};
