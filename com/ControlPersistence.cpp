// com::Control: persistence (IPersistStreamInit, IPersistStorage), IQuickActivate and
// ISpecifyPropertyPages.
#include "com/Control.h"

#include "com/Result.h"
#include "com/Stream.h"

#include <algorithm>
#include <cstdint>

namespace com {

namespace {

constexpr wchar_t kContents[] = L"Contents";

// What the base writes before the control's own properties.
struct StreamHeader {
    uint32_t version;
    int32_t width;   // extent in HIMETRIC
    int32_t height;
};
static_assert(sizeof(StreamHeader) == 12);

}  // namespace

STDMETHODIMP Control::GetClassID(CLSID* out) {
    if (!out) return E_POINTER;
    *out = classId();
    return S_OK;
}

STDMETHODIMP Control::IsDirty() { return dirty_ ? S_OK : S_FALSE; }

STDMETHODIMP Control::Load(IStream* stream) {
    if (!stream) return E_POINTER;
    StreamHeader header;
    RETURN_IF_FAILED(readBytes(stream, &header, sizeof header));
    if (header.version > kStreamVersion) return E_FAIL;
    extent_ = {header.width, header.height};
    return guarded([&] {
        RETURN_IF_FAILED(loadProperties(stream));
        dirty_ = false;
        fireViewChange();
        return S_OK;
    });
}

STDMETHODIMP Control::Save(IStream* stream, BOOL clearDirty) {
    if (!stream) return E_POINTER;
    const StreamHeader header{kStreamVersion, extent_.cx, extent_.cy};
    RETURN_IF_FAILED(writeBytes(stream, &header, sizeof header));
    return guarded([&] {
        RETURN_IF_FAILED(saveProperties(stream));
        if (clearDirty) dirty_ = false;
        return S_OK;
    });
}

STDMETHODIMP Control::GetSizeMax(ULARGE_INTEGER*) { return E_NOTIMPL; }

STDMETHODIMP Control::InitNew() { return S_OK; }

STDMETHODIMP Control::InitNew(IStorage* storage) { return storage ? S_OK : E_POINTER; }

STDMETHODIMP Control::Load(IStorage* storage) {
    if (!storage) return E_POINTER;
    ptr<IStream> stream;
    RETURN_IF_FAILED(storage->OpenStream(kContents, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.put()));
    return Load(stream.get());
}

STDMETHODIMP Control::Save(IStorage* storage, BOOL) {
    if (!storage) return E_POINTER;
    ptr<IStream> stream;
    RETURN_IF_FAILED(storage->CreateStream(kContents, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                           stream.put()));
    return Save(stream.get(), TRUE);
}

STDMETHODIMP Control::SaveCompleted(IStorage*) { return S_OK; }

STDMETHODIMP Control::HandsOffStorage() { return S_OK; }

STDMETHODIMP Control::QuickActivate(QACONTAINER* container, QACONTROL* control) {
    if (!container || !control) return E_POINTER;
    if (container->cbSize < sizeof(QACONTAINER) || control->cbSize < sizeof(QACONTROL)) return E_INVALIDARG;
    RETURN_IF_FAILED(SetClientSite(container->pClientSite));
    if (container->pAdviseSink) SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
    GetMiscStatus(DVASPECT_CONTENT, &control->dwMiscStatus);
    control->dwViewStatus = viewStatus();
    control->dwEventCookie = 0;
    control->dwPropNotifyCookie = 0;
    if (container->pUnkEventSink && events_) events_->Advise(container->pUnkEventSink, &control->dwEventCookie);
    if (container->pPropertyNotifySink) {
        connectionPoint(0).Advise(container->pPropertyNotifySink, &control->dwPropNotifyCookie);
    }
    control->dwPointerActivationPolicy = 0;
    return S_OK;
}

STDMETHODIMP Control::SetContentExtent(LPSIZEL size) { return SetExtent(DVASPECT_CONTENT, size); }

STDMETHODIMP Control::GetContentExtent(LPSIZEL size) { return GetExtent(DVASPECT_CONTENT, size); }

STDMETHODIMP Control::GetPages(CAUUID* out) {
    if (!out) return E_POINTER;
    const std::span<const CLSID> pages = propertyPages();
    out->cElems = 0;
    out->pElems = nullptr;
    if (pages.empty()) return S_OK;
    auto* elements = static_cast<GUID*>(CoTaskMemAlloc(pages.size_bytes()));
    if (!elements) return E_OUTOFMEMORY;
    std::copy(pages.begin(), pages.end(), elements);
    out->cElems = static_cast<ULONG>(pages.size());
    out->pElems = elements;
    return S_OK;
}

}  // namespace com
