#include "com/Registration.h"

#include "com/Module.h"
#include "com/Ptr.h"
#include "com/Result.h"

#include <oleauto.h>

#include <cstdio>

namespace com {

namespace {

HRESULT writeEntry(const RegistryEntry& entry) noexcept {
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, entry.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                     nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    if (!entry.name.empty() || !entry.value.empty()) {
        const DWORD bytes = static_cast<DWORD>((entry.value.size() + 1) * sizeof(wchar_t));
        status = RegSetValueExW(key, entry.name.empty() ? nullptr : entry.name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(entry.value.c_str()), bytes);
    }
    RegCloseKey(key);
    return HRESULT_FROM_WIN32(status);
}

HRESULT deleteTree(const std::wstring& root) noexcept {
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, root.c_str());
    return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

bool keyExists(const std::wstring& path) noexcept {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::wstring versionText(WORD major, WORD minor, const wchar_t* format) {
    wchar_t text[16];
    std::swprintf(text, 16, format, major, minor);
    return text;
}

struct LoadedTypeLibrary {
    ptr<ITypeLib> library;
    TLIBATTR attributes{};
};

HRESULT loadTypeLibrary(const std::wstring& modulePath, LoadedTypeLibrary& out) noexcept {
    RETURN_IF_FAILED(LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, out.library.put()));
    TLIBATTR* attributes = nullptr;
    RETURN_IF_FAILED(out.library->GetLibAttr(&attributes));
    out.attributes = *attributes;
    out.library->ReleaseTLibAttr(attributes);
    return S_OK;
}

}  // namespace

std::wstring guidText(REFGUID guid) {
    wchar_t text[40];
    StringFromGUID2(guid, text, 40);
    return text;
}

std::vector<RegistryEntry> registryEntries(REFCLSID clsid, const ClassRegistration& r,
                                           const TypeLibraryInfo& typeLibrary,
                                           const std::wstring& modulePath) {
    const std::wstring id = guidText(clsid);
    const std::wstring description = r.description ? r.description : L"";
    std::vector<RegistryEntry> entries;
    if (r.progId) {
        entries.push_back({r.progId, L"", description});
        entries.push_back({std::wstring(r.progId) + L"\\CLSID", L"", id});
        if (r.insertable) entries.push_back({std::wstring(r.progId) + L"\\Insertable", L"", L""});
    }
    if (r.versionIndependentProgId) {
        const std::wstring key = r.versionIndependentProgId;
        entries.push_back({key, L"", description});
        entries.push_back({key + L"\\CLSID", L"", id});
        if (r.progId) entries.push_back({key + L"\\CurVer", L"", r.progId});
    }
    const std::wstring key = L"CLSID\\" + id;
    entries.push_back({key, L"", description});
    if (r.progId) entries.push_back({key + L"\\ProgID", L"", r.progId});
    if (r.versionIndependentProgId) {
        entries.push_back({key + L"\\VersionIndependentProgID", L"", r.versionIndependentProgId});
    }
    entries.push_back({key + L"\\Programmable", L"", L""});
    entries.push_back({key + L"\\InprocServer32", L"", modulePath});
    if (r.threadingModel) entries.push_back({key + L"\\InprocServer32", L"ThreadingModel", r.threadingModel});
    if (r.control) entries.push_back({key + L"\\Control", L"", L""});
    if (r.insertable) entries.push_back({key + L"\\Insertable", L"", L""});
    if (r.toolboxBitmap) {
        entries.push_back({key + L"\\ToolboxBitmap32", L"", modulePath + L", " + std::to_wstring(r.toolboxBitmap)});
    }
    if (r.miscStatus) {
        entries.push_back({key + L"\\MiscStatus", L"", L"0"});
        entries.push_back({key + L"\\MiscStatus\\1", L"", r.miscStatus});
    }
    entries.push_back({key + L"\\TypeLib", L"", guidText(typeLibrary.libid)});
    if (r.version) {
        entries.push_back({key + L"\\Version", L"", versionText(typeLibrary.major, typeLibrary.minor, L"%u.%u")});
    }
    return entries;
}

std::vector<std::wstring> registryRoots(REFCLSID clsid, const ClassRegistration& r) {
    std::vector<std::wstring> roots{L"CLSID\\" + guidText(clsid)};
    if (r.progId) roots.emplace_back(r.progId);
    if (r.versionIndependentProgId) roots.emplace_back(r.versionIndependentProgId);
    return roots;
}

HRESULT registerTypeLibrary(const std::wstring& modulePath) noexcept {
    return guarded([&] {
        LoadedTypeLibrary loaded;
        RETURN_IF_FAILED(loadTypeLibrary(modulePath, loaded));
        std::wstring path = modulePath;
        return RegisterTypeLib(loaded.library.get(), path.data(), nullptr);
    });
}

HRESULT unregisterTypeLibrary(const std::wstring& modulePath) noexcept {
    return guarded([&] {
        LoadedTypeLibrary loaded;
        RETURN_IF_FAILED(loadTypeLibrary(modulePath, loaded));
        const TLIBATTR& a = loaded.attributes;
        // Registry version keys are hexadecimal; a library that is not registered is no error.
        const std::wstring key =
            L"TypeLib\\" + guidText(a.guid) + L"\\" + versionText(a.wMajorVerNum, a.wMinorVerNum, L"%x.%x");
        if (!keyExists(key)) return S_OK;
        return UnRegisterTypeLib(a.guid, a.wMajorVerNum, a.wMinorVerNum, a.lcid, a.syskind);
    });
}

HRESULT registerServer(const Server& server) noexcept {
    const HRESULT hr = guarded([&] {
        const std::wstring path = modulePath();
        LoadedTypeLibrary loaded;
        RETURN_IF_FAILED(loadTypeLibrary(path, loaded));
        const TypeLibraryInfo typeLibrary{loaded.attributes.guid, loaded.attributes.wMajorVerNum,
                                          loaded.attributes.wMinorVerNum};
        for (const ClassEntry& entry : server.classes) {
            for (const RegistryEntry& e : registryEntries(entry.clsid, entry.registration, typeLibrary, path)) {
                RETURN_IF_FAILED(writeEntry(e));
            }
        }
        return registerTypeLibrary(path);
    });
    if (FAILED(hr)) unregisterServer(server);
    return hr;
}

HRESULT unregisterServer(const Server& server) noexcept {
    return guarded([&] {
        HRESULT result = S_OK;
        for (const ClassEntry& entry : server.classes) {
            for (const std::wstring& root : registryRoots(entry.clsid, entry.registration)) {
                const HRESULT hr = deleteTree(root);
                if (FAILED(hr)) result = hr;
            }
        }
        const HRESULT hr = unregisterTypeLibrary(modulePath());
        return FAILED(hr) ? hr : result;
    });
}

}  // namespace com
