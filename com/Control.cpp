// com::Control: identity, embedding (IOleObject), IOleControl and notifications.
#include "com/Control.h"

#include "com/Result.h"

#include <olectl.h>

namespace com {

Control::Control() : ConnectionPointList({&IID_IPropertyNotifySink}) {}

// A host that released the control without closing it leaves the window behind.
Control::~Control() { destroyWindow(); }

void* Control::controlInterface(REFIID iid) noexcept {
    if (IsEqualIID(iid, IID_IOleObject)) return static_cast<IOleObject*>(this);
    if (IsEqualIID(iid, IID_IOleInPlaceObjectWindowless) || IsEqualIID(iid, IID_IOleInPlaceObject) ||
        IsEqualIID(iid, IID_IOleWindow)) {
        return static_cast<IOleInPlaceObjectWindowless*>(this);
    }
    if (IsEqualIID(iid, IID_IOleInPlaceActiveObject)) return static_cast<IOleInPlaceActiveObject*>(this);
    if (IsEqualIID(iid, IID_IViewObjectEx) || IsEqualIID(iid, IID_IViewObject2) ||
        IsEqualIID(iid, IID_IViewObject)) {
        return static_cast<IViewObjectEx*>(this);
    }
    if (IsEqualIID(iid, IID_IOleControl)) return static_cast<IOleControl*>(this);
    if (IsEqualIID(iid, IID_IPersistStreamInit) || IsEqualIID(iid, IID_IPersist)) {
        return static_cast<IPersistStreamInit*>(this);
    }
    if (IsEqualIID(iid, IID_IPersistStorage)) return static_cast<IPersistStorage*>(this);
    if (IsEqualIID(iid, IID_IQuickActivate)) return static_cast<IQuickActivate*>(this);
    if (IsEqualIID(iid, IID_ISpecifyPropertyPages)) return static_cast<ISpecifyPropertyPages*>(this);
    if (IsEqualIID(iid, IID_IDataObject)) return static_cast<IDataObject*>(this);
    return nullptr;
}

void Control::firePropertyChanged(DISPID id) noexcept {
    ptr<IEnumConnections> connections;
    if (FAILED(connectionPoint(0).EnumConnections(connections.put()))) return;
    CONNECTDATA data;
    while (connections->Next(1, &data, nullptr) == S_OK) {
        ptr<IUnknown> sink;
        sink.attach(data.pUnk);
        // The point accepted only sinks that answered IPropertyNotifySink.
        static_cast<IPropertyNotifySink*>(static_cast<IUnknown*>(sink.get()))->OnChanged(id);
    }
}

void Control::fireViewChange() noexcept {
    if (inPlaceActive_ && window_) {
        InvalidateRect(window_, nullptr, FALSE);
    } else if (viewSink_ && (viewAspects_ & DVASPECT_CONTENT)) {
        viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
    }
}

STDMETHODIMP Control::SetClientSite(IOleClientSite* site) {
    clientSite_ = ptr<IOleClientSite>(site);
    return S_OK;
}

STDMETHODIMP Control::GetClientSite(IOleClientSite** out) {
    if (!out) return E_POINTER;
    return clientSite_.copy_to(out);
}

STDMETHODIMP Control::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

STDMETHODIMP Control::Close(DWORD saveOption) {
    if (inPlaceActive_) InPlaceDeactivate();
    if (clientSite_ && dirty_ && (saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE)) {
        clientSite_->SaveObject();
        if (adviseHolder_) adviseHolder_->SendOnSave();
    }
    if (adviseHolder_) adviseHolder_->SendOnClose();
    viewSink_ = nullptr;
    return S_OK;
}

STDMETHODIMP Control::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

STDMETHODIMP Control::GetMoniker(DWORD, DWORD, IMoniker** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Control::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

STDMETHODIMP Control::GetClipboardData(DWORD, IDataObject** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Control::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT position) {
    if (site && !clientSite_) SetClientSite(site);
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
        return inPlaceActivate(false, parent, position);
    case OLEIVERB_UIACTIVATE:
        return inPlaceActivate(true, parent, position);
    case OLEIVERB_HIDE:
        UIDeactivate();
        if (window_) ShowWindow(window_, SW_HIDE);
        return S_OK;
    default:
        if (verb > 0) {
            // An unknown positive verb does what the primary verb does.
            const HRESULT hr = inPlaceActivate(false, parent, position);
            return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
        }
        return E_NOTIMPL;
    }
}

STDMETHODIMP Control::EnumVerbs(IEnumOLEVERB** out) {
    if (!out) return E_POINTER;
    return OleRegEnumVerbs(classId(), out);
}

STDMETHODIMP Control::Update() { return S_OK; }

STDMETHODIMP Control::IsUpToDate() { return S_OK; }

STDMETHODIMP Control::GetUserClassID(CLSID* out) {
    if (!out) return E_POINTER;
    *out = classId();
    return S_OK;
}

STDMETHODIMP Control::GetUserType(DWORD form, LPOLESTR* out) {
    if (!out) return E_POINTER;
    return OleRegGetUserType(classId(), form, out);
}

STDMETHODIMP Control::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    if (size->cx != extent_.cx || size->cy != extent_.cy) {
        extent_ = *size;
        dirty_ = true;
        if (dataAdviseHolder_) dataAdviseHolder_->SendOnDataChange(static_cast<IDataObject*>(this), 0, 0);
        fireViewChange();
    }
    return S_OK;
}

STDMETHODIMP Control::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    *size = extent_;
    return S_OK;
}

STDMETHODIMP Control::Advise(IAdviseSink* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!adviseHolder_) RETURN_IF_FAILED(CreateOleAdviseHolder(adviseHolder_.put()));
    return adviseHolder_->Advise(sink, cookie);
}

STDMETHODIMP Control::Unadvise(DWORD cookie) {
    if (!adviseHolder_) return OLE_E_NOCONNECTION;
    return adviseHolder_->Unadvise(cookie);
}

STDMETHODIMP Control::EnumAdvise(IEnumSTATDATA** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!adviseHolder_) return S_OK;
    return adviseHolder_->EnumAdvise(out);
}

STDMETHODIMP Control::GetMiscStatus(DWORD aspect, DWORD* status) {
    if (!status) return E_POINTER;
    return OleRegGetMiscStatus(classId(), aspect, status);
}

STDMETHODIMP Control::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

STDMETHODIMP Control::GetControlInfo(CONTROLINFO*) { return E_NOTIMPL; }

STDMETHODIMP Control::OnMnemonic(MSG*) { return E_NOTIMPL; }

STDMETHODIMP Control::OnAmbientPropertyChange(DISPID) { return S_OK; }

STDMETHODIMP Control::FreezeEvents(BOOL) { return S_OK; }

}  // namespace com
