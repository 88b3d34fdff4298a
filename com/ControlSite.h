// com::ControlSite: the container's side of one hosted ActiveX control: its client site,
// in-place site (activated in a parent window at a position rectangle in pixels), control
// site, ambient properties (IDispatch) and the in-place frame. Hosts use com::ControlHost,
// which owns a site and the control in it.
#pragma once

#include "com/Object.h"

#include <ocidl.h>
#include <oleidl.h>

namespace com {

class ControlSite final
    : public Object<IOleClientSite, IOleInPlaceSite, IOleControlSite, IDispatch, IOleInPlaceFrame> {
public:
    ControlSite(HWND parent, const RECT& position) noexcept : parent_(parent), position_(position) {}

    // The site's control, after it was created; position changes are passed to it.
    void attach(IOleInPlaceObject* control) noexcept { control_ = ptr<IOleInPlaceObject>(control); }
    void detach() noexcept { control_ = nullptr; }
    const RECT& position() const noexcept { return position_; }
    // Moves the in-place control to position (pixels in the parent window).
    HRESULT move(const RECT& position) noexcept;

    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override;
    STDMETHODIMP GetContainer(IOleContainer** out) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL) override;
    STDMETHODIMP RequestNewObjectLayout() override;

    // IOleWindow (of the in-place site and the frame)
    STDMETHODIMP GetWindow(HWND* out) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override;

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
    STDMETHODIMP Scroll(SIZE) override;
    STDMETHODIMP OnUIDeactivate(BOOL) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT position) override;

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override;
    STDMETHODIMP LockInPlaceActive(BOOL) override;
    STDMETHODIMP GetExtendedControl(IDispatch** out) override;
    STDMETHODIMP TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override;
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override;
    STDMETHODIMP OnFocus(BOOL) override;
    STDMETHODIMP ShowPropertyFrame() override;

    // IDispatch: the ambient properties (user mode, no hatching or grab handles).
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** out) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                        UINT*) override;

    // IOleInPlaceUIWindow, IOleInPlaceFrame: a frame without tools or menus.
    STDMETHODIMP GetBorder(LPRECT) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override;
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override;
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override;
    STDMETHODIMP RemoveMenus(HMENU) override;
    STDMETHODIMP SetStatusText(LPCOLESTR) override;
    STDMETHODIMP EnableModeless(BOOL) override;
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override;

private:
    HWND parent_;
    RECT position_;
    ptr<IOleInPlaceObject> control_;
};

}  // namespace com
