#include "com/TypeLibrary.h"

#include "com/Module.h"
#include "com/Ptr.h"
#include "com/Result.h"

#include <oleauto.h>

#include <mutex>
#include <vector>

namespace com {

namespace {

struct Cache {
    std::mutex lock;
    ptr<ITypeLib> library;
    HRESULT loadResult = S_FALSE;  // S_FALSE: not tried yet
    struct Entry {
        GUID guid;
        ptr<ITypeInfo> info;
    };
    std::vector<Entry> infos;
};

Cache& cache() {
    static Cache instance;
    return instance;
}

HRESULT loadedLibrary(Cache& c) {
    if (c.loadResult == S_FALSE) c.loadResult = LoadTypeLibEx(modulePath().c_str(), REGKIND_NONE, c.library.put());
    return c.loadResult;
}

}  // namespace

HRESULT moduleTypeLibrary(ITypeLib** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    return guarded([&] {
        Cache& c = cache();
        std::lock_guard hold(c.lock);
        RETURN_IF_FAILED(loadedLibrary(c));
        return c.library.copy_to(out);
    });
}

HRESULT typeInfoOf(REFGUID guid, ITypeInfo** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    return guarded([&] {
        Cache& c = cache();
        std::lock_guard hold(c.lock);
        for (const Cache::Entry& e : c.infos) {
            if (IsEqualGUID(e.guid, guid)) return e.info.copy_to(out);
        }
        RETURN_IF_FAILED(loadedLibrary(c));
        ptr<ITypeInfo> info;
        RETURN_IF_FAILED(c.library->GetTypeInfoOfGuid(guid, info.put()));
        c.infos.push_back({guid, info});
        return info.copy_to(out);
    });
}

HRESULT interfaceTypeInfoOf(REFIID iid, ITypeInfo** out) noexcept {
    ptr<ITypeInfo> info;
    RETURN_IF_FAILED(typeInfoOf(iid, info.put()));
    TYPEATTR* attributes = nullptr;
    RETURN_IF_FAILED(info->GetTypeAttr(&attributes));
    const bool dual = attributes->typekind == TKIND_DISPATCH && (attributes->wTypeFlags & TYPEFLAG_FDUAL);
    info->ReleaseTypeAttr(attributes);
    if (!dual) return info.copy_to(out);
    HREFTYPE vtableHalf = 0;
    RETURN_IF_FAILED(info->GetRefTypeOfImplType(-1, &vtableHalf));
    return info->GetRefTypeInfo(vtableHalf, out);
}

}  // namespace com

namespace com {

namespace {

bool isMissing(const VARIANT& v) noexcept { return v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND; }

HRESULT checkAgainst(const FUNCDESC& f, const DISPPARAMS& params) noexcept {
    UINT accepted = 0;
    const UINT positional = params.cArgs - params.cNamedArgs;
    for (SHORT p = 0; p < f.cParams; ++p) {
        const USHORT paramFlags = f.lprgelemdescParam[p].paramdesc.wParamFlags;
        if (paramFlags & (PARAMFLAG_FRETVAL | PARAMFLAG_FLCID)) continue;
        const bool optional = paramFlags & (PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT);
        // Positional arguments come last to first in rgvarg.
        if (accepted < positional && !optional && isMissing(params.rgvarg[params.cArgs - 1 - accepted])) {
            return DISP_E_PARAMNOTOPTIONAL;
        }
        ++accepted;
    }
    return params.cArgs > accepted && f.cParamsOpt != -1 ? DISP_E_BADPARAMCOUNT : S_OK;
}

}  // namespace

HRESULT checkArguments(ITypeInfo* info, DISPID id, WORD flags, const DISPPARAMS& params) noexcept {
    TYPEATTR* attributes = nullptr;
    RETURN_IF_FAILED(info->GetTypeAttr(&attributes));
    const UINT functions = attributes->cFuncs;
    info->ReleaseTypeAttr(attributes);
    for (UINT i = 0; i < functions; ++i) {
        FUNCDESC* f = nullptr;
        RETURN_IF_FAILED(info->GetFuncDesc(i, &f));
        const bool match = f->memid == id && (f->invkind & flags);
        const HRESULT hr = match ? checkAgainst(*f, params) : S_OK;
        info->ReleaseFuncDesc(f);
        if (match) return hr;
    }
    return S_OK;  // no such member: ITypeInfo::Invoke answers DISP_E_MEMBERNOTFOUND
}

}  // namespace com
