// The four entry points of an in-process server, serving the class table com::server that the
// server DLL defines. Added to each server DLL by talvo_com_server (com/ComServer.cmake).
#include "com/Module.h"
#include "com/Registration.h"

STDAPI DllCanUnloadNow() { return com::canUnloadNow(); }

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return com::getClassObject(com::server, clsid, iid, out);
}

STDAPI DllRegisterServer() { return com::registerServer(com::server); }

STDAPI DllUnregisterServer() { return com::unregisterServer(com::server); }
