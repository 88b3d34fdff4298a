#include "com/ControlSite.h"

#include "com/Extent.h"

#include <olectl.h>

namespace com {

HRESULT ControlSite::move(const RECT& position) noexcept {
    position_ = position;
    if (!control_) return S_OK;
    return control_->SetObjectRects(&position_, &position_);
}

STDMETHODIMP ControlSite::SaveObject() { return S_OK; }

STDMETHODIMP ControlSite::GetMoniker(DWORD, DWORD, IMoniker** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlSite::GetContainer(IOleContainer** out) {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP ControlSite::ShowObject() { return S_OK; }

STDMETHODIMP ControlSite::OnShowWindow(BOOL) { return S_OK; }

STDMETHODIMP ControlSite::RequestNewObjectLayout() { return E_NOTIMPL; }

STDMETHODIMP ControlSite::GetWindow(HWND* out) {
    if (!out) return E_POINTER;
    *out = parent_;
    return S_OK;
}

STDMETHODIMP ControlSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP ControlSite::CanInPlaceActivate() { return S_OK; }

STDMETHODIMP ControlSite::OnInPlaceActivate() { return S_OK; }

STDMETHODIMP ControlSite::OnUIActivate() { return S_OK; }

STDMETHODIMP ControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                           LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (!frame || !document || !position || !clip || !info) return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    *position = position_;
    *clip = position_;
    info->fMDIApp = FALSE;
    info->hwndFrame = parent_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP ControlSite::Scroll(SIZE) { return E_NOTIMPL; }

STDMETHODIMP ControlSite::OnUIDeactivate(BOOL) { return S_OK; }

STDMETHODIMP ControlSite::OnInPlaceDeactivate() { return S_OK; }

STDMETHODIMP ControlSite::DiscardUndoState() { return S_OK; }

STDMETHODIMP ControlSite::DeactivateAndUndo() { return S_OK; }

// The control asks for a position of its own (a size it needs): granted.
STDMETHODIMP ControlSite::OnPosRectChange(LPCRECT position) {
    if (!position) return E_POINTER;
    return move(*position);
}

STDMETHODIMP ControlSite::OnControlInfoChanged() { return S_OK; }

STDMETHODIMP ControlSite::LockInPlaceActive(BOOL) { return S_OK; }

STDMETHODIMP ControlSite::GetExtendedControl(IDispatch** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

// The container's units are pixels.
STDMETHODIMP ControlSite::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
    if (!himetric || !container) return E_POINTER;
    if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
        const SIZE pixels = toPixels(SIZEL{himetric->x, himetric->y});
        *container = {static_cast<float>(pixels.cx), static_cast<float>(pixels.cy)};
    } else if (flags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
        const SIZEL units = toHimetric(SIZE{static_cast<LONG>(container->x), static_cast<LONG>(container->y)});
        *himetric = {units.cx, units.cy};
    } else {
        return E_INVALIDARG;
    }
    return S_OK;
}

STDMETHODIMP ControlSite::TranslateAccelerator(MSG*, DWORD) { return S_FALSE; }

STDMETHODIMP ControlSite::OnFocus(BOOL) { return S_OK; }

STDMETHODIMP ControlSite::ShowPropertyFrame() { return E_NOTIMPL; }

STDMETHODIMP ControlSite::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP ControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return DISP_E_UNKNOWNNAME; }

STDMETHODIMP ControlSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                 UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (!result) return E_POINTER;
    VariantInit(result);
    switch (id) {
    case DISPID_AMBIENT_USERMODE:
        result->vt = VT_BOOL;
        result->boolVal = VARIANT_TRUE;
        return S_OK;
    case DISPID_AMBIENT_UIDEAD:
    case DISPID_AMBIENT_SHOWHATCHING:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
        result->vt = VT_BOOL;
        result->boolVal = VARIANT_FALSE;
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

STDMETHODIMP ControlSite::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }

STDMETHODIMP ControlSite::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }

STDMETHODIMP ControlSite::SetBorderSpace(LPCBORDERWIDTHS) { return S_OK; }

// Hosted controls take no keyboard accelerators from the frame, so the active object is not kept.
STDMETHODIMP ControlSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) { return S_OK; }

STDMETHODIMP ControlSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return S_OK; }

STDMETHODIMP ControlSite::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }

STDMETHODIMP ControlSite::RemoveMenus(HMENU) { return S_OK; }

STDMETHODIMP ControlSite::SetStatusText(LPCOLESTR) { return S_OK; }

STDMETHODIMP ControlSite::EnableModeless(BOOL) { return S_OK; }

STDMETHODIMP ControlSite::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

}  // namespace com
