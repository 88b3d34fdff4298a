#include "RefusedClass.h"

#include "com/Object.h"

namespace {

class StandInFactory final : public com::Object<IClassFactory> {
public:
    explicit StandInFactory(StandInClass::Make make) : make_(std::move(make)) {}
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        return outer ? CLASS_E_NOAGGREGATION : make_(iid, out);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    StandInClass::Make make_;
};

}  // namespace

StandInClass::StandInClass(REFCLSID clsid, Make make) {
    auto factory = com::make<StandInFactory>(std::move(make));
    if (FAILED(CoRegisterClassObject(clsid, factory->identity(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                     &cookie_))) {
        cookie_ = 0;
    }
}

StandInClass::~StandInClass() {
    if (cookie_) CoRevokeClassObject(cookie_);
}

RefusedClass::RefusedClass(REFCLSID clsid) : StandInClass(clsid, [](REFIID, void**) { return E_OUTOFMEMORY; }) {}
