// com::ControlHost: hosts one ActiveX control in a parent window and owns it.
//
//   com::ControlHost host;
//   host.create(CLSID_Foo, parentWindow, RECT{10, 10, 260, 102});   // optionally from a stream
//   com::ptr<IDispatch> d = host.dispatch();                        // or host.query<IFoo>()
//   host.sinkEvents(DIID__IFooEvents, [](DISPID id, const DISPPARAMS& p) { ... });
//   host.move(RECT{...});                                           // extent and position
//   host.close();                                                   // also on destruction
//
// Creation follows the control's MiscStatus (client site before or after the state), starts
// it from the stream or new, gives it its extent and activates it in place; a control
// invisible at run time (OLEMISC_INVISIBLEATRUNTIME) gets no window and is not activated.
// save() writes the control's state as create() takes it.
#pragma once

#include "com/ConnectionPoint.h"
#include "com/ControlSite.h"

#include <list>

namespace com {

class ControlHost {
public:
    ControlHost() noexcept = default;
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;
    ~ControlHost() { close(); }

    // state: a stream saved by the control's IPersistStreamInit, or null for a new control.
    HRESULT create(REFCLSID clsid, HWND parent, const RECT& position, IStream* state = nullptr) noexcept;
    // Sets the control's extent to the size and moves it there (pixels in the parent window).
    HRESULT move(const RECT& position) noexcept;
    // The control's state through its IPersistStreamInit, into stream.
    HRESULT save(IStream* stream) const noexcept;
    // Disconnects the event sinks, deactivates and closes the control and lets it go.
    void close() noexcept;

    explicit operator bool() const noexcept { return static_cast<bool>(control_); }
    const ptr<IOleObject>& control() const noexcept { return control_; }
    ptr<IDispatch> dispatch() const noexcept { return control_.query<IDispatch>(); }
    template <class I>
    ptr<I> query() const noexcept {
        return control_.query<I>();
    }
    // The control's own window while it is in-place active.
    HWND window() const noexcept;

    // Calls handler for every event of the control's outgoing dispinterface events.
    HRESULT sinkEvents(const IID& events, EventSink::Handler handler) noexcept;

private:
    ptr<ControlSite> site_;
    ptr<IOleObject> control_;
    std::list<Connection> connections_;
};

}  // namespace com
