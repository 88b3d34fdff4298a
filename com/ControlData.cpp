// com::Control: IDataObject, which hands out the control's picture as a metafile.
#include "com/Control.h"

#include "com/Extent.h"
#include "com/Gdi.h"
#include "com/Result.h"

namespace com {

namespace {

bool isPictureFormat(const FORMATETC& format) noexcept {
    return format.cfFormat == CF_METAFILEPICT && (format.tymed & TYMED_MFPICT) && format.dwAspect == DVASPECT_CONTENT;
}

}  // namespace

// The picture is composed in pixels at the extent's size and recorded as one bitmap copy, with
// the metafile's picture size in HIMETRIC.
STDMETHODIMP Control::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!format || !medium) return E_POINTER;
    if (!isPictureFormat(*format)) return DV_E_FORMATETC;
    const SIZE size = toPixels(extent_);
    if (size.cx <= 0 || size.cy <= 0) return E_UNEXPECTED;
    gdi_metafile metafile;
    {
        window_dc screen = window_dc::client(nullptr);
        unique_dc memory(CreateCompatibleDC(screen.get()));
        gdi_bitmap picture(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
        if (!memory || !picture) return E_OUTOFMEMORY;
        selection hold(memory.get(), picture.get());
        RETURN_IF_FAILED(guarded([&] {
            draw(memory.get(), RECT{0, 0, size.cx, size.cy});
            return S_OK;
        }));
        HDC recorder = CreateMetaFileW(nullptr);
        if (!recorder) return E_OUTOFMEMORY;
        SetWindowOrgEx(recorder, 0, 0, nullptr);
        SetWindowExtEx(recorder, size.cx, size.cy, nullptr);
        BitBlt(recorder, 0, 0, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
        metafile = gdi_metafile(CloseMetaFile(recorder));
    }
    if (!metafile) return E_OUTOFMEMORY;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
    auto* description = block ? static_cast<METAFILEPICT*>(GlobalLock(block)) : nullptr;
    if (!description) {
        if (block) GlobalFree(block);
        return E_OUTOFMEMORY;
    }
    *description = {MM_ANISOTROPIC, extent_.cx, extent_.cy, metafile.release()};
    GlobalUnlock(block);
    medium->tymed = TYMED_MFPICT;
    medium->hMetaFilePict = block;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

STDMETHODIMP Control::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

STDMETHODIMP Control::QueryGetData(FORMATETC* format) {
    if (!format) return E_POINTER;
    return isPictureFormat(*format) ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP Control::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Control::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

STDMETHODIMP Control::EnumFormatEtc(DWORD, IEnumFORMATETC** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Control::DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!dataAdviseHolder_) RETURN_IF_FAILED(CreateDataAdviseHolder(dataAdviseHolder_.put()));
    return dataAdviseHolder_->Advise(static_cast<IDataObject*>(this), format, flags, sink, cookie);
}

STDMETHODIMP Control::DUnadvise(DWORD cookie) {
    if (!dataAdviseHolder_) return OLE_E_NOCONNECTION;
    return dataAdviseHolder_->Unadvise(cookie);
}

STDMETHODIMP Control::EnumDAdvise(IEnumSTATDATA** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!dataAdviseHolder_) return S_OK;
    return dataAdviseHolder_->EnumAdvise(out);
}

}  // namespace com
