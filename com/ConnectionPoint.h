// Outgoing interfaces: the object side (ConnectionPoint, ConnectionPointContainer) and the
// client side (EventSink, Connection).
//
// Object side. A class with events lists ConnectionPointContainer<&source...> among its
// Object entries, one connection point per source dispinterface, in that order:
//
//   class Foo : public com::Object<com::Dispatch<IFoo>,
//                                  com::ConnectionPointContainer<&DIID__IFooEvents>> {
//   public:
//       void onDone(long n) { connectionPoint(0).fire(1, com::variant(n)); }
//   };
//
// fire(dispid, args...) calls IDispatch::Invoke (DISPATCH_METHOD, IID_NULL,
// LOCALE_USER_DEFAULT) on every connected sink in connection order, with the arguments in
// their natural order; empty slots (unadvised cookies) are skipped and sink failures ignored.
// The sink list is copied under the point's lock and the sinks are called outside it, so a
// sink may advise or unadvise from inside its handler. Cookies are 1-based slot numbers.
//
// Client side. EventSink is an IDispatch that answers QueryInterface for one dispinterface
// and hands every Invoke to a callback; Connection advises a sink and unadvises on
// destruction:
//
//   auto sink = com::make<com::EventSink>(DIID__IFooEvents,
//       [](DISPID id, const DISPPARAMS& p) { ... });
//   com::Connection c;  c.connect(foo.get(), DIID__IFooEvents, sink->identity());
#pragma once

#include "com/Object.h"
#include "com/Variant.h"

#include <ocidl.h>
#include <olectl.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

namespace com {

class ConnectionPoint final : public IConnectionPoint {
public:
    ConnectionPoint(IConnectionPointContainer& container, const IID& iid) noexcept;
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    // The point lives inside its container object and shares its reference count.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetConnectionInterface(IID* out) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** out) override;

    const IID& iid() const noexcept { return iid_; }

    // Arguments in natural order (the first parameter first).
    void fire(DISPID id, std::span<const variant> arguments) noexcept;
    template <class... Args>
    void fire(DISPID id, const Args&... arguments) noexcept {
        if constexpr (sizeof...(Args) == 0) {
            fire(id, std::span<const variant>());
        } else {
            const variant list[] = {arguments...};
            fire(id, std::span<const variant>(list));
        }
    }

private:
    std::vector<ptr<IUnknown>> snapshot();

    IConnectionPointContainer& container_;
    const IID iid_;
    std::mutex lock_;
    std::vector<ptr<IUnknown>> sinks_;  // slot i has cookie i + 1; null = unadvised
};

// The implementation of every ConnectionPointContainer<...>.
class ConnectionPointList : public IConnectionPointContainer {
public:
    using interface_type = IConnectionPointContainer;

    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

    ConnectionPoint& connectionPoint(size_t index) noexcept { return *points_[index]; }

protected:
    explicit ConnectionPointList(std::initializer_list<const IID*> sources);
    // One more point, after those given at construction (a class that learns its source late).
    ConnectionPoint& addSource(const IID& iid);
    ConnectionPointList(const ConnectionPointList&) = delete;
    ConnectionPointList& operator=(const ConnectionPointList&) = delete;
    ~ConnectionPointList() = default;

private:
    std::vector<std::unique_ptr<ConnectionPoint>> points_;
};

template <const IID*... Sources>
class ConnectionPointContainer : public ConnectionPointList {
protected:
    ConnectionPointContainer() : ConnectionPointList({Sources...}) {}
};

class EventSink final : public Object<IDispatch> {
public:
    using Handler = std::function<void(DISPID id, const DISPPARAMS& params)>;

    EventSink(const IID& events, Handler handler) : events_(events), handler_(std::move(handler)) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** out) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override;

private:
    const IID events_;
    Handler handler_;
};

class Connection {
public:
    Connection() noexcept = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { disconnect(); }

    HRESULT connect(IUnknown* source, const IID& events, IUnknown* sink) noexcept;
    void disconnect() noexcept;
    DWORD cookie() const noexcept { return cookie_; }

private:
    ptr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

}  // namespace com
