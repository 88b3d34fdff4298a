// The module a COM server lives in: object and lock counts, the class table and the class
// factories. A server declares its classes once, as data:
//
//   // ZEVFoo.cpp, in the server DLL
//   namespace {
//   const com::ClassEntry classes[] = {
//       {CLSID_Foo, &com::create<Foo>, {COM_CLASS_NAMES("ZEVFoo", "Foo"), .threadingModel = L"Apartment"}},
//   };
//   }
//   const com::Server com::server{classes};
//
// The DLL entry points (DllGetClassObject, DllCanUnloadNow, DllRegisterServer,
// DllUnregisterServer) come from com/ServerExports.cpp, which the CMake function
// talvo_com_server adds to the DLL; they serve com::server.
#pragma once

#include "com/Registration.h"

#include <windows.h>
#include <unknwn.h>

#include <span>
#include <string>

namespace com {

// Creates one object and returns its interface iid.
using Creator = HRESULT (*)(REFIID iid, void** out);

struct ClassEntry {
    const CLSID& clsid;
    Creator create;
    ClassRegistration registration;
};

struct Server {
    std::span<const ClassEntry> classes;
};

// Defined by each server DLL.
extern const Server server;

// The module (DLL or EXE) this code is linked into, and its file path.
HMODULE thisModule() noexcept;
std::wstring modulePath();

// Every live object and every LockServer(TRUE) keeps the module loaded.
void objectCreated() noexcept;
void objectDestroyed() noexcept;
void lockModule() noexcept;
void unlockModule() noexcept;
HRESULT canUnloadNow() noexcept;

// DllGetClassObject over a class table: a class factory for clsid, or CLASS_E_CLASSNOTAVAILABLE.
HRESULT getClassObject(const Server& server, REFCLSID clsid, REFIID iid, void** out) noexcept;

}  // namespace com
