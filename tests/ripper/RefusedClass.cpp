#include "RefusedClass.h"

#include "com/Object.h"

namespace {

class RefusingFactory final : public com::Object<IClassFactory> {
public:
    STDMETHODIMP CreateInstance(IUnknown*, REFIID, void** out) override {
        if (out) *out = nullptr;
        return E_OUTOFMEMORY;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

}  // namespace

RefusedClass::RefusedClass(REFCLSID clsid) {
    auto refusing = com::make<RefusingFactory>();
    if (FAILED(CoRegisterClassObject(clsid, refusing->identity(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                     &cookie_))) {
        cookie_ = 0;
    }
}

RefusedClass::~RefusedClass() {
    if (cookie_) CoRevokeClassObject(cookie_);
}
