#include "com/ConnectionPoint.h"

#include "com/Enumerator.h"

#include <algorithm>

namespace com {

namespace {

struct HeldConnection {
    ptr<IUnknown> sink;
    DWORD cookie;
};

void copyOut(const HeldConnection& held, CONNECTDATA& out) noexcept {
    held.sink.copy_to(&out.pUnk);
    out.dwCookie = held.cookie;
}

using ConnectionsEnumerator = Enumerator<IEnumConnections, CONNECTDATA, HeldConnection>;
using PointsEnumerator = Enumerator<IEnumConnectionPoints, IConnectionPoint*, ptr<IConnectionPoint>>;

}  // namespace

ConnectionPoint::ConnectionPoint(IConnectionPointContainer& container, const IID& iid) noexcept
    : container_(container), iid_(iid) {}

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IConnectionPoint)) return E_NOINTERFACE;
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ConnectionPoint::AddRef() { return container_.AddRef(); }
STDMETHODIMP_(ULONG) ConnectionPoint::Release() { return container_.Release(); }

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* out) {
    if (!out) return E_POINTER;
    *out = iid_;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (!out) return E_POINTER;
    *out = &container_;
    container_.AddRef();
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    ptr<IUnknown> events;
    if (FAILED(sink->QueryInterface(iid_, events.put_void()))) return CONNECT_E_CANNOTCONNECT;
    return guarded([&] {
        std::lock_guard hold(lock_);
        auto slot = std::find(sinks_.begin(), sinks_.end(), nullptr);
        if (slot == sinks_.end()) slot = sinks_.insert(sinks_.end(), nullptr);
        *slot = std::move(events);
        *cookie = static_cast<DWORD>(slot - sinks_.begin()) + 1;
        return S_OK;
    });
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) {
    ptr<IUnknown> removed;  // released after the lock is dropped: the sink may call back
    {
        std::lock_guard hold(lock_);
        if (cookie == 0 || cookie > sinks_.size() || !sinks_[cookie - 1]) return CONNECT_E_NOCONNECTION;
        removed = std::move(sinks_[cookie - 1]);
    }
    return S_OK;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return guarded([&] {
        auto items = std::make_shared<ConnectionsEnumerator::Items>();
        {
            std::lock_guard hold(lock_);
            for (size_t i = 0; i < sinks_.size(); ++i) {
                if (sinks_[i]) items->push_back({sinks_[i], static_cast<DWORD>(i + 1)});
            }
        }
        ptr<IUnknown> self(static_cast<IConnectionPoint*>(this));
        return make<ConnectionsEnumerator>(std::move(items), std::move(self))
            ->QueryInterface(IID_IEnumConnections, reinterpret_cast<void**>(out));
    });
}

std::vector<ptr<IUnknown>> ConnectionPoint::snapshot() {
    std::lock_guard hold(lock_);
    return sinks_;
}

void ConnectionPoint::fire(DISPID id, std::span<const variant> arguments) noexcept {
    try {
        // DISPPARAMS lists the arguments last to first.
        std::vector<VARIANTARG> reversed(arguments.size());
        std::transform(arguments.rbegin(), arguments.rend(), reversed.begin(),
                       [](const variant& v) { return *v.get(); });
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        for (const ptr<IUnknown>& sink : snapshot()) {
            if (!sink) continue;
            // The sink answered QueryInterface for a dispinterface, so it is an IDispatch.
            auto* events = static_cast<IDispatch*>(static_cast<IUnknown*>(sink.get()));
            VARIANT result;
            VariantInit(&result);
            events->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
            VariantClear(&result);
        }
    } catch (...) {
        // Out of memory for the argument block or the sink list: nobody can be told.
    }
}

ConnectionPointList::ConnectionPointList(std::initializer_list<const IID*> sources) {
    for (const IID* iid : sources) points_.push_back(std::make_unique<ConnectionPoint>(*this, *iid));
}

ConnectionPoint& ConnectionPointList::addSource(const IID& iid) {
    return *points_.emplace_back(std::make_unique<ConnectionPoint>(*this, iid));
}

STDMETHODIMP ConnectionPointList::EnumConnectionPoints(IEnumConnectionPoints** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return guarded([&] {
        auto items = std::make_shared<PointsEnumerator::Items>();
        for (const auto& point : points_) items->emplace_back(point.get());
        ptr<IUnknown> self(static_cast<IConnectionPointContainer*>(this));
        return make<PointsEnumerator>(std::move(items), std::move(self))
            ->QueryInterface(IID_IEnumConnectionPoints, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP ConnectionPointList::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (const auto& point : points_) {
        if (IsEqualIID(point->iid(), iid)) {
            *out = point.get();
            point->AddRef();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP EventSink::QueryInterface(REFIID iid, void** out) {
    if (out && IsEqualIID(iid, events_)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    return Object::QueryInterface(iid, out);
}

STDMETHODIMP EventSink::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP EventSink::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
    if (out) *out = nullptr;
    return DISP_E_BADINDEX;
}

STDMETHODIMP EventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

STDMETHODIMP EventSink::Invoke(DISPID id, REFIID iid, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO*, UINT*) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!params) return E_INVALIDARG;
    if (result) VariantInit(result);
    return guarded([&] {
        handler_(id, *params);
        return S_OK;
    });
}

HRESULT Connection::connect(IUnknown* source, const IID& events, IUnknown* sink) noexcept {
    disconnect();
    if (!source || !sink) return E_POINTER;
    ptr<IConnectionPointContainer> container;
    RETURN_IF_FAILED(source->QueryInterface(IID_IConnectionPointContainer, container.put_void()));
    ptr<IConnectionPoint> point;
    RETURN_IF_FAILED(container->FindConnectionPoint(events, point.put()));
    RETURN_IF_FAILED(point->Advise(sink, &cookie_));
    point_ = std::move(point);
    return S_OK;
}

void Connection::disconnect() noexcept {
    if (point_) point_->Unadvise(cookie_);
    point_.reset();
    cookie_ = 0;
}

}  // namespace com
