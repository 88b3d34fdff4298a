#include "ServerDll.h"

#include <objbase.h>

namespace {

void collectKeys(HKEY key, const std::wstring& prefix, std::vector<std::wstring>& out) {
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) return;
        const std::wstring path = prefix.empty() ? name : prefix + L"\\" + name;
        out.push_back(path);
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
            collectKeys(child, path, out);
            RegCloseKey(child);
        }
    }
}

}  // namespace

ServerDll::ServerDll(const wchar_t* fileName) : module_(LoadLibraryW(fileName)) {}

ServerDll::~ServerDll() {
    if (module_) FreeLibrary(module_);
}

HRESULT ServerDll::call(const char* entry) const {
    if (!module_) return E_FAIL;
    auto function = reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(module_, entry)));
    return function ? function() : E_NOTIMPL;
}

HRESULT ServerDll::registerServer() const { return call("DllRegisterServer"); }
HRESULT ServerDll::unregisterServer() const { return call("DllUnregisterServer"); }

std::wstring ServerDll::path() const {
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module_, buffer, MAX_PATH);
    return std::wstring(buffer, length);
}

PrivateClassesRoot::PrivateClassesRoot()
    : path_(L"Software\\TalvoTests\\ClassesRoot" + std::to_wstring(GetCurrentProcessId())) {
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr) !=
        ERROR_SUCCESS) {
        key_ = nullptr;
        return;
    }
    if (RegOverridePredefKey(HKEY_CLASSES_ROOT, key_) != ERROR_SUCCESS) {
        RegCloseKey(key_);
        key_ = nullptr;
    }
}

PrivateClassesRoot::~PrivateClassesRoot() {
    if (!key_) return;
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    RegCloseKey(key_);
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
}

std::vector<std::wstring> PrivateClassesRoot::allKeys() const {
    std::vector<std::wstring> keys;
    if (key_) collectKeys(key_, L"", keys);
    return keys;
}

std::optional<std::wstring> readString(HKEY root, const std::wstring& key, const wchar_t* name) {
    wchar_t buffer[1024];
    DWORD bytes = sizeof buffer;
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(buffer);
}

bool keyExists(HKEY root, const std::wstring& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

std::wstring guidText(REFGUID guid) {
    wchar_t text[40];
    StringFromGUID2(guid, text, 40);
    return text;
}
