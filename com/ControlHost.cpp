#include "com/ControlHost.h"

#include "com/Extent.h"
#include "com/Result.h"

namespace com {

namespace {

SIZEL extentOf(const RECT& position) {
    return toHimetric(SIZE{position.right - position.left, position.bottom - position.top});
}

HRESULT startState(IOleObject* control, IStream* state) {
    ptr<IPersistStreamInit> persist;
    RETURN_IF_FAILED(control->QueryInterface(IID_IPersistStreamInit, persist.put_void()));
    return state ? persist->Load(state) : persist->InitNew();
}

}  // namespace

HRESULT ControlHost::create(REFCLSID clsid, HWND parent, const RECT& position, IStream* state) noexcept {
    close();
    return guarded([&] {
        ptr<IOleObject> control;
        RETURN_IF_FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, control.put_void()));
        site_ = make<ControlSite>(parent, position);
        control_ = control;
        DWORD status = 0;
        control->GetMiscStatus(DVASPECT_CONTENT, &status);
        const bool siteFirst = (status & OLEMISC_SETCLIENTSITEFIRST) != 0;
        HRESULT hr = S_OK;
        if (siteFirst) hr = control->SetClientSite(site_.get());
        if (SUCCEEDED(hr)) hr = startState(control.get(), state);
        if (SUCCEEDED(hr) && !siteFirst) hr = control->SetClientSite(site_.get());
        // A control with nothing to show at run time (a player, a timer) is never activated.
        const bool shown = (status & OLEMISC_INVISIBLEATRUNTIME) == 0;
        SIZEL extent = extentOf(position);
        if (SUCCEEDED(hr) && shown) hr = control->SetExtent(DVASPECT_CONTENT, &extent);
        if (SUCCEEDED(hr) && shown) {
            RECT rect = position;
            hr = control->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.get(), 0, parent, &rect);
        }
        if (FAILED(hr)) {
            close();
            return hr;
        }
        if (shown) site_->attach(control.query<IOleInPlaceObject>().get());
        return S_OK;
    });
}

HRESULT ControlHost::move(const RECT& position) noexcept {
    if (!control_) return E_UNEXPECTED;
    SIZEL extent = extentOf(position);
    RETURN_IF_FAILED(control_->SetExtent(DVASPECT_CONTENT, &extent));
    return site_->move(position);
}

HRESULT ControlHost::save(IStream* stream) const noexcept {
    if (!control_) return E_UNEXPECTED;
    ptr<IPersistStreamInit> persist;
    RETURN_IF_FAILED(control_->QueryInterface(IID_IPersistStreamInit, persist.put_void()));
    return persist->Save(stream, TRUE);
}

void ControlHost::close() noexcept {
    connections_.clear();
    if (control_) {
        control_->Close(OLECLOSE_NOSAVE);
        control_->SetClientSite(nullptr);
    }
    if (site_) site_->detach();
    control_ = nullptr;
    site_ = nullptr;
}

HWND ControlHost::window() const noexcept {
    HWND window = nullptr;
    if (ptr<IOleWindow> w = control_.query<IOleWindow>()) w->GetWindow(&window);
    return window;
}

HRESULT ControlHost::sinkEvents(const IID& events, EventSink::Handler handler) noexcept {
    if (!control_) return E_UNEXPECTED;
    return guarded([&] {
        auto sink = make<EventSink>(events, std::move(handler));
        Connection& connection = connections_.emplace_back();
        const HRESULT hr = connection.connect(control_.get(), events, sink->identity());
        if (FAILED(hr)) connections_.pop_back();
        return hr;
    });
}

}  // namespace com
