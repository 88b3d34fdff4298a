#include "display/ZEVDisplay.h"

#include "com/Extent.h"
#include "com/Module.h"
#include "com/SafeArray.h"
#include "com/Stream.h"
#include "display/DisplayDrawing.h"
#include "com/Gdi.h"
#include "display/PropertyStream.h"

#include <olectl.h>

#include <algorithm>

using namespace display;

namespace {

template <class T, class U>
HRESULT give(T* out, U value) {
    if (!out) return E_POINTER;
    *out = static_cast<T>(value);
    return S_OK;
}

constexpr SIZE kSmallest{250, 80};  // pixels

// The system's stock colour property page (msstkppg.h, which the cross headers lack).
constexpr CLSID kStockColorPage = {0x7ebdaae1, 0x8120, 0x11cf, {0x89, 0x9f, 0x00, 0xaa, 0x00, 0x68, 0x8b, 0x10}};

enum : DISPID { kBorderStyleId = 2, kTypeDisplayId = 3, kArrayChannelsId = 14 };

// The samples of a block, or nothing when the host sent no usable block: a one-dimensional
// array of 16-bit elements. Its real element count is taken, whatever its lower bound.
bool isSampleBlock(SAFEARRAY* block) {
    if (!block || SafeArrayGetDim(block) != 1 || SafeArrayGetElemsize(block) != sizeof(int16_t)) return false;
    VARTYPE type = VT_EMPTY;
    if (SUCCEEDED(SafeArrayGetVartype(block, &type)) && type != VT_I2 && type != VT_UI2) return false;
    return true;
}

}  // namespace

ZEVDisplay::ZEVDisplay() : styles_(com::thisModule()) { initialExtent(com::toHimetric(kSmallest)); }

template <class T, class U>
HRESULT ZEVDisplay::keep(T& field, U value) {
    field = static_cast<T>(value);
    setDirty();
    return S_OK;
}

template <class T, class U>
HRESULT ZEVDisplay::store(T& field, U value) {
    keep(field, value);
    redraw();
    return S_OK;
}

void ZEVDisplay::redraw() {
    if (inPlaceActive() && window()) {
        RECT client;
        GetClientRect(window(), &client);
        com::window_dc dc = com::window_dc::client(window());
        if (dc) draw(dc.get(), client);
    } else {
        fireViewChange();
    }
}

void ZEVDisplay::draw(HDC dc, const RECT& bounds) { drawDisplay(dc, bounds, DisplayView{settings_, levels_, styles_}); }

STDMETHODIMP ZEVDisplay::_OnTimer() {
    lowerHeldLevels(levels_);
    redraw();
    return S_OK;
}

STDMETHODIMP ZEVDisplay::get_BorderStyle(BorderTypeConstants* pVal) { return give(pVal, settings_.borderStyle); }

STDMETHODIMP ZEVDisplay::put_BorderStyle(BorderTypeConstants newVal) {
    // An unknown style is not stored, but the redraw and the notification happen all the same.
    if (newVal >= bNone && newVal <= bRaised) keep(settings_.borderStyle, newVal);
    redraw();
    firePropertyChanged(kBorderStyleId);
    return S_OK;
}

STDMETHODIMP ZEVDisplay::get_TypeDisplay(TypeDisplay* pVal) { return give(pVal, settings_.typeDisplay); }

STDMETHODIMP ZEVDisplay::put_TypeDisplay(TypeDisplay newVal) {
    if (newVal < tdOutLine || newVal > tdFFTKryptonite) return S_OK;
    store(settings_.typeDisplay, newVal);
    firePropertyChanged(kTypeDisplayId);
    return S_OK;
}

STDMETHODIMP ZEVDisplay::get_BackColor(OLE_COLOR* pVal) { return give(pVal, settings_.backColor); }
STDMETHODIMP ZEVDisplay::put_BackColor(OLE_COLOR newVal) { return store(settings_.backColor, newVal); }

STDMETHODIMP ZEVDisplay::get_BorderColor(OLE_COLOR* pVal) { return give(pVal, settings_.borderColor); }
STDMETHODIMP ZEVDisplay::put_BorderColor(OLE_COLOR newVal) { return store(settings_.borderColor, newVal); }

STDMETHODIMP ZEVDisplay::get_InscriptionsColor(OLE_COLOR* pVal) { return give(pVal, settings_.inscriptionsColor); }
STDMETHODIMP ZEVDisplay::put_InscriptionsColor(OLE_COLOR newVal) { return store(settings_.inscriptionsColor, newVal); }

STDMETHODIMP ZEVDisplay::get_ScaleColor(OLE_COLOR* pVal) { return give(pVal, settings_.scaleColor); }
STDMETHODIMP ZEVDisplay::put_ScaleColor(OLE_COLOR newVal) { return store(settings_.scaleColor, newVal); }

STDMETHODIMP ZEVDisplay::get_LevelsColor(OLE_COLOR* pVal) { return give(pVal, settings_.levelsColor); }
STDMETHODIMP ZEVDisplay::put_LevelsColor(OLE_COLOR newVal) { return store(settings_.levelsColor, newVal); }

STDMETHODIMP ZEVDisplay::get_MaxLevelColor(OLE_COLOR* pVal) { return give(pVal, settings_.maxLevelColor); }
STDMETHODIMP ZEVDisplay::put_MaxLevelColor(OLE_COLOR newVal) { return store(settings_.maxLevelColor, newVal); }

STDMETHODIMP ZEVDisplay::get_FFTWindowsSize(LONG* pVal) { return give(pVal, levels_.windowSize); }

STDMETHODIMP ZEVDisplay::put_FFTWindowsSize(LONG newVal) {
    return com::guarded([&] {
        setWindowSize(levels_, newVal);
        setDirty();
        redraw();
        return S_OK;
    });
}

STDMETHODIMP ZEVDisplay::get_MaxLevel(SHORT* pVal) { return give(pVal, maxLevelDecibels(settings_.maxLevelPosition)); }

STDMETHODIMP ZEVDisplay::put_MaxLevel(SHORT newVal) {
    if (isValidMaxLevel(newVal)) store(settings_.maxLevelPosition, maxLevelPosition(newVal));
    return S_OK;
}

STDMETHODIMP ZEVDisplay::get_OutLinesHeight(SHORT* pVal) { return give(pVal, settings_.outLinesHeight); }

STDMETHODIMP ZEVDisplay::put_OutLinesHeight(SHORT newVal) {
    settings_.outLinesBound = outLinesBound(com::toPixels(extent()).cy);
    if (newVal > 2 && newVal < settings_.outLinesBound) {
        store(settings_.outLinesHeight, newVal);
    } else {
        redraw();
    }
    return S_OK;
}

STDMETHODIMP ZEVDisplay::get_ArrayChannels(ChannelsConstants* pVal) { return give(pVal, levels_.channels); }

STDMETHODIMP ZEVDisplay::put_ArrayChannels(ChannelsConstants newVal) {
    keep(levels_.channels, newVal);
    firePropertyChanged(kArrayChannelsId);
    return S_OK;
}

STDMETHODIMP ZEVDisplay::get_ArrayFreqyency(FrequencyConstants* pVal) { return give(pVal, frequency_); }

STDMETHODIMP ZEVDisplay::put_ArrayFreqyency(FrequencyConstants newVal) { return keep(frequency_, newVal); }

STDMETHODIMP ZEVDisplay::get_AttackTime(LONG* pVal) { return give(pVal, attackTime_); }

STDMETHODIMP ZEVDisplay::put_AttackTime(LONG newVal) { return keep(attackTime_, newVal); }

STDMETHODIMP ZEVDisplay::get_ReleaseTime(LONG* pVal) { return give(pVal, releaseTime_); }

STDMETHODIMP ZEVDisplay::put_ReleaseTime(LONG newVal) { return keep(releaseTime_, newVal); }

STDMETHODIMP ZEVDisplay::SendArray(SAFEARRAY** InputArray) {
    // Anything but a readable one-dimensional array of 16-bit samples clears the display.
    SAFEARRAY* block = InputArray ? *InputArray : nullptr;
    if (!isSampleBlock(block)) {
        clearLevels(levels_);
    } else {
        com::safearray_data<int16_t> samples(block);
        if (samples) {
            analyseBlock(levels_, std::span<const int16_t>(samples.begin(), samples.size()));
        } else {
            clearLevels(levels_);
        }
    }
    redraw();
    return S_OK;
}

STDMETHODIMP ZEVDisplay::SetExtent(DWORD aspect, SIZEL* size) {
    if (!size) return E_POINTER;
    const SIZEL smallest = com::toHimetric(kSmallest);
    SIZEL raised{std::max(size->cx, smallest.cx), std::max(size->cy, smallest.cy)};
    return Control::SetExtent(aspect, &raised);
}

HRESULT ZEVDisplay::saveProperties(IStream* stream) {
    const StoredProperties p{settings_.borderStyle,
                             settings_.typeDisplay,
                             settings_.backColor,
                             settings_.borderColor,
                             settings_.inscriptionsColor,
                             settings_.scaleColor,
                             settings_.levelsColor,
                             settings_.maxLevelColor,
                             levels_.windowSize,
                             maxLevelDecibels(settings_.maxLevelPosition),
                             settings_.outLinesHeight,
                             levels_.channels,
                             frequency_,
                             attackTime_,
                             releaseTime_};
    const PropertyBytes bytes = encodeProperties(p);
    return com::writeBytes(stream, bytes.data(), static_cast<ULONG>(bytes.size()));
}

HRESULT ZEVDisplay::loadProperties(IStream* stream) {
    PropertyBytes bytes;
    RETURN_IF_FAILED(com::readBytes(stream, bytes.data(), static_cast<ULONG>(bytes.size())));
    const auto p = decodeProperties(bytes);
    if (!p) return E_FAIL;
    put_BorderStyle(static_cast<BorderTypeConstants>(p->borderStyle));
    put_TypeDisplay(static_cast<TypeDisplay>(p->typeDisplay));
    put_BackColor(p->backColor);
    put_BorderColor(p->borderColor);
    put_InscriptionsColor(p->inscriptionsColor);
    put_ScaleColor(p->scaleColor);
    put_LevelsColor(p->levelsColor);
    put_MaxLevelColor(p->maxLevelColor);
    put_FFTWindowsSize(p->fftWindowsSize);
    // A MaxLevel of -90 reads back, and so is saved, as -91, which the put refuses: loaded as
    // the -90 it came from, it keeps its place instead of falling back to the old value.
    put_MaxLevel(p->maxLevel == maxLevelDecibels(maxLevelPosition(-90)) ? -90 : p->maxLevel);
    put_OutLinesHeight(p->outLinesHeight);
    put_ArrayChannels(static_cast<ChannelsConstants>(p->arrayChannels));
    put_ArrayFreqyency(static_cast<FrequencyConstants>(p->arrayFreqyency));
    put_AttackTime(p->attackTime);
    put_ReleaseTime(p->releaseTime);
    return S_OK;
}

LRESULT ZEVDisplay::onMessage(UINT message, WPARAM, LPARAM lParam, bool& handled) {
    switch (message) {
    case WM_ERASEBKGND:
        // Every drawing covers the whole window; erasing first would only flicker.
        handled = true;
        return 0;
    case WM_SIZE:
        onSize(static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)));
        return 0;
    case WM_MOVE:
        onMove(static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)));
        return 0;
    default:
        return 0;
    }
}

void ZEVDisplay::onSize(int width, int height) {
    settings_.outLinesBound = outLinesBound(height);
    if (settings_.outLinesBound < settings_.outLinesHeight) settings_.outLinesHeight = settings_.outLinesBound;
    if (inPlaceActive() && inPlaceSite()) {
        // Never smaller than the smallest size: the container is asked for at least that.
        const RECT& at = position();
        RECT wanted{at.left, at.top, at.left + std::max<LONG>(width, kSmallest.cx),
                    at.top + std::max<LONG>(height, kSmallest.cy)};
        inPlaceSite()->OnPosRectChange(&wanted);
    }
}

void ZEVDisplay::onMove(int x, int y) {
    // The control keeps its extent when it is moved.
    const SIZE size = com::toPixels(extent());
    RECT kept{x, y, x + size.cx, y + size.cy};
    const RECT& at = position();
    const bool resized = size.cx != at.right - at.left || size.cy != at.bottom - at.top;
    SetObjectRects(&kept, &kept);
    if (resized && inPlaceActive() && inPlaceSite()) inPlaceSite()->OnPosRectChange(&kept);
}

void ZEVDisplay::onInPlaceActivated() {
    if (styles_.made()) return;
    com::window_dc dc = com::window_dc::client(window());
    styles_.make(dc.get());
}

DWORD ZEVDisplay::viewStatus() const noexcept { return VIEWSTATUS_OPAQUE | VIEWSTATUS_SOLIDBKGND; }

std::span<const CLSID> ZEVDisplay::propertyPages() const noexcept {
    static const CLSID pages[] = {kStockColorPage};
    return pages;
}
