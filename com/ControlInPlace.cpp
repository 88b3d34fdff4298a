// com::Control: windowed in-place activation and the control's window.
#include "com/Control.h"

#include "com/Module.h"
#include "com/Result.h"

#include <atomic>
#include <utility>

namespace com {

namespace {

constexpr wchar_t kWindowClass[] = L"TalvoActiveXControl";

// The class is registered while control windows of this module exist and unregistered with
// the last one, so an unloaded module leaves no class pointing into it.
std::atomic<long> liveWindows{0};

}  // namespace

// The window procedure, a friend of Control: it finds the control from the window.
struct ControlWindow {
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* control = static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            control->window_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
        }
        auto* control = reinterpret_cast<Control*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_NCDESTROY && control) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            control->window_ = nullptr;
            control = nullptr;
        }
        if (!control) return DefWindowProcW(window, message, wParam, lParam);
        try {
            return control->handleMessage(message, wParam, lParam);
        } catch (...) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
    }

    static bool registerClass() noexcept {
        if (liveWindows++ > 0) return true;
        WNDCLASSEXW type{};
        type.cbSize = sizeof type;
        type.lpfnWndProc = &procedure;
        type.hInstance = thisModule();
        type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        type.lpszClassName = kWindowClass;
        if (RegisterClassExW(&type) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) return true;
        --liveWindows;
        return false;
    }

    static void unregisterClass() noexcept {
        if (--liveWindows == 0) UnregisterClassW(kWindowClass, thisModule());
    }
};

LRESULT Control::onMessage(UINT, WPARAM, LPARAM, bool&) { return 0; }

void Control::destroyWindow() noexcept {
    if (!window_) return;
    // Detached first: the messages of the destruction must not reach a control that may be
    // half destroyed itself.
    HWND window = std::exchange(window_, nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    ControlWindow::unregisterClass();
}

LRESULT Control::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    bool handled = false;
    const LRESULT result = onMessage(message, wParam, lParam, handled);
    if (handled) return result;
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        if (HDC dc = BeginPaint(window, &paint)) {
            RECT client;
            GetClientRect(window, &client);
            draw(dc, client);
            EndPaint(window, &paint);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HRESULT Control::inPlaceActivate(bool activateUi, HWND parent, LPCRECT position) noexcept {
    if (!clientSite_) return E_UNEXPECTED;
    if (!inPlaceActive_) {
        ptr<IOleInPlaceSite> site = clientSite_.query<IOleInPlaceSite>();
        if (!site) return E_NOINTERFACE;
        const HRESULT can = site->CanInPlaceActivate();
        if (can != S_OK) return FAILED(can) ? can : E_FAIL;
        RETURN_IF_FAILED(site->OnInPlaceActivate());
        inPlaceActive_ = true;
        inPlaceSite_ = site;

        HWND siteWindow = nullptr;
        if (SUCCEEDED(site->GetWindow(&siteWindow)) && siteWindow) parent = siteWindow;
        RECT positionRect{}, clip{};
        OLEINPLACEFRAMEINFO frameInfo{};
        frameInfo.cb = sizeof frameInfo;
        site->GetWindowContext(frame_.put(), document_.put(), &positionRect, &clip, &frameInfo);
        if (IsRectEmpty(&positionRect) && position) positionRect = *position;
        position_ = positionRect;

        if (!ControlWindow::registerClass()) {
            InPlaceDeactivate();
            return HRESULT_FROM_WIN32(GetLastError());
        }
        const HWND created =
            CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, position_.left,
                            position_.top, position_.right - position_.left, position_.bottom - position_.top,
                            parent, nullptr, thisModule(), static_cast<Control*>(this));
        if (!created) {
            const HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
            ControlWindow::unregisterClass();
            InPlaceDeactivate();
            return FAILED(hr) ? hr : E_FAIL;
        }
        SetObjectRects(&position_, &clip);
        ShowWindow(window_, SW_SHOWNA);
        clientSite_->ShowObject();
        onInPlaceActivated();
    } else if (window_) {
        ShowWindow(window_, SW_SHOWNA);
    }
    return activateUi ? uiActivate() : S_OK;
}

HRESULT Control::uiActivate() noexcept {
    if (uiActive_) return S_OK;
    uiActive_ = true;
    inPlaceSite_->OnUIActivate();
    if (frame_) frame_->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
    if (document_) document_->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
    if (frame_) frame_->SetBorderSpace(nullptr);
    if (window_) SetFocus(window_);
    return S_OK;
}

STDMETHODIMP Control::GetWindow(HWND* out) {
    if (!out) return E_POINTER;
    *out = window_;
    return window_ ? S_OK : E_FAIL;
}

STDMETHODIMP Control::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP Control::InPlaceDeactivate() {
    if (!inPlaceActive_) return S_OK;
    UIDeactivate();
    inPlaceActive_ = false;
    destroyWindow();
    frame_ = nullptr;
    document_ = nullptr;
    ptr<IOleInPlaceSite> site = std::move(inPlaceSite_);
    site->OnInPlaceDeactivate();
    return S_OK;
}

STDMETHODIMP Control::UIDeactivate() {
    if (!uiActive_) return S_OK;
    uiActive_ = false;
    if (frame_) frame_->SetActiveObject(nullptr, nullptr);
    if (document_) document_->SetActiveObject(nullptr, nullptr);
    if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
    return S_OK;
}

STDMETHODIMP Control::SetObjectRects(LPCRECT position, LPCRECT clip) {
    if (!position) return E_POINTER;
    position_ = *position;
    if (!window_) return S_OK;
    RECT current;
    GetWindowRect(window_, &current);
    MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&current), 2);
    if (!EqualRect(&current, position)) {
        SetWindowPos(window_, nullptr, position->left, position->top, position->right - position->left,
                     position->bottom - position->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Only the part inside the clip rectangle may show.
    RECT visible;
    if (clip && IntersectRect(&visible, position, clip) && !EqualRect(&visible, position)) {
        OffsetRect(&visible, -position->left, -position->top);
        SetWindowRgn(window_, CreateRectRgnIndirect(&visible), TRUE);
    } else {
        SetWindowRgn(window_, nullptr, TRUE);
    }
    return S_OK;
}

STDMETHODIMP Control::ReactivateAndUndo() { return E_NOTIMPL; }

STDMETHODIMP Control::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    // A windowed control gets its messages through its window; a container that forwards
    // one anyway reaches the same handling.
    if (!result) return E_POINTER;
    if (!window_) return S_FALSE;
    return guarded([&] {
        *result = handleMessage(message, wParam, lParam);
        return S_OK;
    });
}

STDMETHODIMP Control::GetDropTarget(IDropTarget** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Control::TranslateAccelerator(LPMSG) { return S_FALSE; }

STDMETHODIMP Control::OnFrameWindowActivate(BOOL) { return S_OK; }

STDMETHODIMP Control::OnDocWindowActivate(BOOL) { return S_OK; }

STDMETHODIMP Control::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }

STDMETHODIMP Control::EnableModeless(BOOL) { return S_OK; }

}  // namespace com
