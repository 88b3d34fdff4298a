#include "com/Module.h"

#include "com/Object.h"

#include <atomic>

namespace com {

namespace {

std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};

// One factory per DllGetClassObject call; it only forwards to the entry's creator.
class ClassFactory final : public Object<IClassFactory> {
public:
    explicit ClassFactory(const ClassEntry& entry) noexcept : entry_(entry) {}

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return entry_.create(iid, out);
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        lock ? lockModule() : unlockModule();
        return S_OK;
    }

private:
    const ClassEntry& entry_;
};

}  // namespace

HMODULE thisModule() noexcept {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&liveObjects), &module);
    return module;
}

std::wstring modulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(thisModule(), path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void objectCreated() noexcept { ++liveObjects; }
void objectDestroyed() noexcept { --liveObjects; }
void lockModule() noexcept { ++serverLocks; }
void unlockModule() noexcept { --serverLocks; }

HRESULT canUnloadNow() noexcept { return liveObjects == 0 && serverLocks == 0 ? S_OK : S_FALSE; }

HRESULT getClassObject(const Server& server, REFCLSID clsid, REFIID iid, void** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (const ClassEntry& entry : server.classes) {
        if (IsEqualCLSID(entry.clsid, clsid)) {
            return guarded([&] { return make<ClassFactory>(entry)->QueryInterface(iid, out); });
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace com
