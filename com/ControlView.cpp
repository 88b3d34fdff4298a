// com::Control: drawing into any device context (IViewObject, IViewObject2, IViewObjectEx).
#include "com/Control.h"

#include "com/Result.h"

namespace com {

STDMETHODIMP Control::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                           BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!dc) return E_INVALIDARG;
    RECT area;
    if (bounds) {
        area = {bounds->left, bounds->top, bounds->right, bounds->bottom};
    } else if (inPlaceActive_) {
        // Only an in-place active control may be drawn without bounds: into its own position.
        area = {0, 0, position_.right - position_.left, position_.bottom - position_.top};
    } else {
        return E_INVALIDARG;
    }
    return guarded([&] {
        draw(dc, area);
        return S_OK;
    });
}

STDMETHODIMP Control::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Control::Freeze(DWORD, LONG, void*, DWORD*) { return E_NOTIMPL; }

STDMETHODIMP Control::Unfreeze(DWORD) { return E_NOTIMPL; }

STDMETHODIMP Control::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    viewSink_ = ptr<IAdviseSink>(sink);
    viewAspects_ = aspects;
    viewFlags_ = flags;
    return S_OK;
}

STDMETHODIMP Control::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = viewAspects_;
    if (flags) *flags = viewFlags_;
    if (sink) viewSink_.copy_to(sink);
    return S_OK;
}

STDMETHODIMP Control::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

STDMETHODIMP Control::GetRect(DWORD aspect, LPRECTL out) {
    if (!out) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *out = {0, 0, extent_.cx, extent_.cy};
    return S_OK;
}

STDMETHODIMP Control::GetViewStatus(DWORD* out) {
    if (!out) return E_POINTER;
    *out = viewStatus();
    return S_OK;
}

STDMETHODIMP Control::QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT location, LONG, DWORD* result) {
    if (!bounds || !result) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *result = PtInRect(bounds, location) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

STDMETHODIMP Control::QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT location, LONG, DWORD* result) {
    if (!bounds || !location || !result) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    RECT overlap;
    *result = IntersectRect(&overlap, bounds, location) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

STDMETHODIMP Control::GetNaturalExtent(DWORD, LONG, DVTARGETDEVICE*, HDC, DVEXTENTINFO*, LPSIZEL) {
    return E_NOTIMPL;
}

}  // namespace com
