// com::Control: what every ActiveX control of the project shares, written once: embedding
// (IOleObject), windowed in-place activation (IOleInPlaceObject, IOleInPlaceActiveObject,
// IOleWindow), drawing into any device context (IViewObject, IViewObject2, IViewObjectEx),
// IOleControl, persistence in streams and storages (IPersistStreamInit, IPersistStorage),
// IQuickActivate, ISpecifyPropertyPages, IDataObject (the picture as a metafile) and
// property-change notification (an IPropertyNotifySink connection point) and, for a class
// with an outgoing dispinterface, its event connection point. A control class is made with
// com::ControlObject (ControlObject.h), which adds the control's dual interface and
// IProvideClassInfo2:
//
//   class Gauge final : public com::ControlObject<Gauge, IGauge> {
//   public:
//       static constexpr const CLSID& classId = CLSID_Gauge;
//       static constexpr const IID& sourceId = DIID__IGaugeEvents;   // IID_NULL: no events
//       void draw(HDC dc, const RECT& bounds) override { ... }
//       HRESULT saveProperties(IStream*) override;  HRESULT loadProperties(IStream*) override;
//       ... IGauge methods: store, firePropertyChanged(dispid), redraw ...
//   };
//
// The control always runs in its own child window, made at in-place activation and destroyed
// at deactivation; WM_PAINT draws through draw(). The extent is kept in HIMETRIC; the
// position rectangle given by the container in pixels. A stream holds a 32-bit version
// (0x0300) and the extent (two 32-bit values), then what saveProperties writes; a storage
// holds that stream as "Contents".
#pragma once

#include "com/ConnectionPoint.h"
#include "com/Ptr.h"

#include <ocidl.h>
#include <oleidl.h>

#include <span>

namespace com {

class Control : public IOleObject,
                public IOleInPlaceObjectWindowless,
                public IOleInPlaceActiveObject,
                public IViewObjectEx,
                public IOleControl,
                public IPersistStreamInit,
                public IPersistStorage,
                public IQuickActivate,
                public ISpecifyPropertyPages,
                public IDataObject,
                public ConnectionPointList {
public:
    // The stream version this base writes and the newest it reads.
    static constexpr DWORD kStreamVersion = 0x0300;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** out) override;
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override;
    STDMETHODIMP Close(DWORD saveOption) override;
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override;
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override;
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override;
    STDMETHODIMP GetClipboardData(DWORD, IDataObject** out) override;
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT position) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** out) override;
    STDMETHODIMP Update() override;
    STDMETHODIMP IsUpToDate() override;
    STDMETHODIMP GetUserClassID(CLSID* out) override;
    STDMETHODIMP GetUserType(DWORD form, LPOLESTR* out) override;
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** out) override;
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override;

    // IOleWindow (of the in-place object and the in-place active object)
    STDMETHODIMP GetWindow(HWND* out) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override;

    // IOleInPlaceObject, IOleInPlaceObjectWindowless
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override;
    STDMETHODIMP OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    STDMETHODIMP GetDropTarget(IDropTarget** out) override;

    // IOleInPlaceActiveObject
    STDMETHODIMP TranslateAccelerator(LPMSG) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL) override;
    STDMETHODIMP OnDocWindowActivate(BOOL) override;
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override;
    STDMETHODIMP EnableModeless(BOOL) override;

    // IViewObject, IViewObject2, IViewObjectEx
    STDMETHODIMP Draw(DWORD aspect, LONG index, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                      BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) override;
    STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** out) override;
    STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD* out) override;
    STDMETHODIMP Unfreeze(DWORD) override;
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE*, LPSIZEL size) override;
    STDMETHODIMP GetRect(DWORD aspect, LPRECTL out) override;
    STDMETHODIMP GetViewStatus(DWORD* out) override;
    STDMETHODIMP QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT location, LONG, DWORD* result) override;
    STDMETHODIMP QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT location, LONG, DWORD* result) override;
    STDMETHODIMP GetNaturalExtent(DWORD, LONG, DVTARGETDEVICE*, HDC, DVEXTENTINFO*, LPSIZEL) override;

    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO* out) override;
    STDMETHODIMP OnMnemonic(MSG*) override;
    STDMETHODIMP OnAmbientPropertyChange(DISPID) override;
    STDMETHODIMP FreezeEvents(BOOL) override;

    // IPersist, IPersistStreamInit, IPersistStorage
    STDMETHODIMP GetClassID(CLSID* out) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(IStream* stream) override;
    STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* out) override;
    STDMETHODIMP InitNew() override;
    STDMETHODIMP InitNew(IStorage* storage) override;
    STDMETHODIMP Load(IStorage* storage) override;
    STDMETHODIMP Save(IStorage* storage, BOOL sameAsLoad) override;
    STDMETHODIMP SaveCompleted(IStorage*) override;
    STDMETHODIMP HandsOffStorage() override;

    // IQuickActivate
    STDMETHODIMP QuickActivate(QACONTAINER* container, QACONTROL* control) override;
    STDMETHODIMP SetContentExtent(LPSIZEL size) override;
    STDMETHODIMP GetContentExtent(LPSIZEL size) override;

    // ISpecifyPropertyPages
    STDMETHODIMP GetPages(CAUUID* out) override;

    // IDataObject: the content as a picture (CF_METAFILEPICT in TYMED_MFPICT), and data advise.
    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override;
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override;
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC** out) override;
    STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* cookie) override;
    STDMETHODIMP DUnadvise(DWORD cookie) override;
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA** out) override;

    // The control interface QueryInterface answers for iid, or null; IUnknown,
    // IConnectionPointContainer and the dual interface are answered by the object itself.
    void* controlInterface(REFIID iid) noexcept;

protected:
    Control();
    ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // What the control class supplies.
    virtual const CLSID& classId() const noexcept = 0;
    virtual void draw(HDC dc, const RECT& bounds) = 0;
    // The properties after the stream header, written and read in the same order.
    virtual HRESULT saveProperties(IStream* stream) = 0;
    virtual HRESULT loadProperties(IStream* stream) = 0;
    // A message for the control's window before the base's own handling (painting); set
    // handled to keep it from the base and from DefWindowProc.
    virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // After each in-place activation, once the window exists.
    virtual void onInPlaceActivated() {}
    virtual DWORD viewStatus() const noexcept { return 0; }
    virtual std::span<const CLSID> propertyPages() const noexcept { return {}; }

    // For the control class.
    HWND window() const noexcept { return window_; }
    bool inPlaceActive() const noexcept { return inPlaceActive_; }
    const ptr<IOleInPlaceSite>& inPlaceSite() const noexcept { return inPlaceSite_; }
    const RECT& position() const noexcept { return position_; }
    SIZEL extent() const noexcept { return extent_; }
    void setDirty() noexcept { dirty_ = true; }
    // The extent before any container sets one.
    void initialExtent(SIZEL extent) noexcept { extent_ = extent; }
    // OnChanged(id) to every connected IPropertyNotifySink.
    void firePropertyChanged(DISPID id) noexcept;
    // Asks for a repaint: the window's when in-place active, else the container's view.
    void fireViewChange() noexcept;
    // The outgoing dispinterface, once, at construction (ControlObject does it).
    void declareEvents(const IID& events) { events_ = &addSource(events); }
    // The event to every sink of the outgoing dispinterface, arguments in natural order.
    template <class... Args>
    void fireEvent(DISPID id, const Args&... arguments) noexcept {
        if (events_) events_->fire(id, arguments...);
    }

private:
    friend struct ControlWindow;

    IUnknown* self() noexcept { return static_cast<IOleObject*>(this); }
    HRESULT inPlaceActivate(bool uiActivate, HWND parent, LPCRECT position) noexcept;
    HRESULT uiActivate() noexcept;
    void destroyWindow() noexcept;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    ConnectionPoint* events_ = nullptr;
    ptr<IOleClientSite> clientSite_;
    ptr<IOleInPlaceSite> inPlaceSite_;
    ptr<IOleInPlaceFrame> frame_;
    ptr<IOleInPlaceUIWindow> document_;
    ptr<IOleAdviseHolder> adviseHolder_;
    ptr<IDataAdviseHolder> dataAdviseHolder_;
    ptr<IAdviseSink> viewSink_;
    DWORD viewAspects_ = 0;
    DWORD viewFlags_ = 0;
    SIZEL extent_{2540, 2540};
    RECT position_{};
    HWND window_ = nullptr;
    bool inPlaceActive_ = false;
    bool uiActive_ = false;
    bool dirty_ = false;
};

}  // namespace com
