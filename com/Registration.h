// Self-registration as data. Each class of a server carries a ClassRegistration; the registry
// entries follow from it and from the type library embedded in the module as resource 1:
//
//   HKCR\<progId>                      = description, \CLSID = {clsid}  [\Insertable]
//   HKCR\<versionIndependentProgId>    = description, \CLSID = {clsid}, \CurVer = progId
//   HKCR\CLSID\{clsid}                 = description, \ProgID, \VersionIndependentProgID,
//        \Programmable, \InprocServer32 = module path (ThreadingModel), \TypeLib = {libid},
//        [\Version = "major.minor"]  [\Control] [\Insertable] [\ToolboxBitmap32 = "path, id"]
//        [\MiscStatus = "0", \MiscStatus\1 = miscStatus]
//
// registerServer writes them and registers the type library; unregisterServer deletes exactly
// the keys registerServer created (the three trees above and the type library's registration).
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

namespace com {

struct Server;

struct ClassRegistration {
    const wchar_t* progId = nullptr;
    const wchar_t* versionIndependentProgId = nullptr;
    const wchar_t* description = nullptr;
    const wchar_t* threadingModel = nullptr;  // "Apartment", "Both", "Free"
    bool version = false;                     // writes Version with the type library's version
    bool control = false;                     // ActiveX control: writes Control
    bool insertable = false;                  // Insertable under the CLSID and the ProgID
    int toolboxBitmap = 0;                    // bitmap resource id for ToolboxBitmap32; 0 = none
    const wchar_t* miscStatus = nullptr;      // value of MiscStatus\1 (MiscStatus itself is "0")
};

// The names every class of our servers is registered under, from the server's and the class's
// names: the ProgID "Server.Class.1", the version-independent ProgID "Server.Class" and the
// description "Class Class". They stand first in a ClassRegistration's designated initializer.
#define COM_CLASS_NAMES(server, name)                                                    \
    .progId = L"" server "." name ".1", .versionIndependentProgId = L"" server "." name, \
    .description = L"" name " Class"
// An ActiveX control of ours: its names, apartment-threaded, with Version and Control written.
#define COM_CONTROL_NAMES(server, name) \
    COM_CLASS_NAMES(server, name), .threadingModel = L"Apartment", .version = true, .control = true

// One key to create below HKEY_CLASSES_ROOT, with its default value when value is set.
struct RegistryEntry {
    std::wstring key;
    std::wstring name;   // value name; empty = the key's default value
    std::wstring value;  // empty with an empty name = key only
};

struct TypeLibraryInfo {
    GUID libid;
    WORD major;
    WORD minor;
};

std::wstring guidText(REFGUID guid);

// The entries registerServer writes for one class, in creation order.
std::vector<RegistryEntry> registryEntries(REFCLSID clsid, const ClassRegistration& registration,
                                           const TypeLibraryInfo& typeLibrary,
                                           const std::wstring& modulePath);
// The key trees unregisterServer deletes for one class.
std::vector<std::wstring> registryRoots(REFCLSID clsid, const ClassRegistration& registration);

// Registers / unregisters the type library embedded as resource 1 of the module at path.
HRESULT registerTypeLibrary(const std::wstring& modulePath) noexcept;
HRESULT unregisterTypeLibrary(const std::wstring& modulePath) noexcept;

HRESULT registerServer(const Server& server) noexcept;
HRESULT unregisterServer(const Server& server) noexcept;

}  // namespace com
