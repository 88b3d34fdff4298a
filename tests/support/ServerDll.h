// Test helpers for COM servers: loading a server DLL of this build and calling its
// registration entry points, redirecting HKEY_CLASSES_ROOT of the test process to a private
// key, and reading the registry.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// A server DLL loaded from the program folder (all programs and DLLs of the build share it).
class ServerDll {
public:
    explicit ServerDll(const wchar_t* fileName);
    ServerDll(const ServerDll&) = delete;
    ServerDll& operator=(const ServerDll&) = delete;
    ~ServerDll();

    explicit operator bool() const { return module_ != nullptr; }
    HRESULT registerServer() const;
    HRESULT unregisterServer() const;
    std::wstring path() const;

private:
    HRESULT call(const char* entry) const;
    HMODULE module_;
};

// While it lives, HKEY_CLASSES_ROOT of this process is an empty private key, so a server's
// registration can be inspected key by key and checked to leave nothing behind.
class PrivateClassesRoot {
public:
    PrivateClassesRoot();
    PrivateClassesRoot(const PrivateClassesRoot&) = delete;
    PrivateClassesRoot& operator=(const PrivateClassesRoot&) = delete;
    ~PrivateClassesRoot();

    explicit operator bool() const { return key_ != nullptr; }
    // Every key below the private root, as paths relative to it, in enumeration order.
    std::vector<std::wstring> allKeys() const;

private:
    std::wstring path_;
    HKEY key_ = nullptr;
};

std::optional<std::wstring> readString(HKEY root, const std::wstring& key, const wchar_t* name = nullptr);
bool keyExists(HKEY root, const std::wstring& key);
std::wstring guidText(REFGUID guid);
