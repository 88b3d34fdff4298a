#include "outside/ZEVAudioDesign/ZEVEqualizer.h"

#include "com/Extent.h"
#include "com/Gdi.h"
#include "com/Stream.h"
#include "com/Variant.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr SIZE kInitialSize{300, 150};  // pixels

enum : DISPID { kOnValueChange = 1 };

bool inRange(float db) { return std::isfinite(db) && std::abs(db) <= design::kMostDb; }

}  // namespace

ZEVEqualizer::ZEVEqualizer() { initialExtent(com::toHimetric(kInitialSize)); }

HRESULT ZEVEqualizer::getBand(int band, float* value) {
  if (!value) return E_POINTER;
  *value = bands_[band];
  return S_OK;
}

HRESULT ZEVEqualizer::putBand(int band, float value) {
  if (!inRange(value)) return E_INVALIDARG;
  bands_[band] = value;
  setDirty();
  firePropertyChanged(band + 1);
  fireViewChange();
  return S_OK;
}

void ZEVEqualizer::userMove(int band, float value) {
  value = std::clamp(value, -design::kMostDb, design::kMostDb);
  if (value == bands_[band]) return;
  putBand(band, value);
  fireEvent(kOnValueChange, com::variant(static_cast<LONG>(band + 1)));
}

RECT ZEVEqualizer::clientRect() const {
  RECT client{};
  GetClientRect(window(), &client);
  return client;
}

// Composed off-screen and copied at once, so a drag does not flicker.
void ZEVEqualizer::draw(HDC dc, const RECT& bounds) {
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) return;
  com::unique_dc memory(CreateCompatibleDC(dc));
  com::gdi_bitmap picture(CreateCompatibleBitmap(dc, width, height));
  const int focus = GetFocus() == window() && window() ? focusedBand_ : -1;
  if (!memory || !picture) {
    // Without memory for the picture, straight onto the target.
    design::drawEqualizer(dc, design::EqualizerLayout(bounds), bands_, focus);
    return;
  }
  com::selection hold(memory.get(), picture.get());
  design::drawEqualizer(memory.get(), design::EqualizerLayout(RECT{0, 0, width, height}), bands_, focus);
  BitBlt(dc, bounds.left, bounds.top, width, height, memory.get(), 0, 0, SRCCOPY);
}

HRESULT ZEVEqualizer::saveProperties(IStream* stream) { return com::writeBytes(stream, bands_.data(), sizeof bands_); }

HRESULT ZEVEqualizer::loadProperties(IStream* stream) {
  design::BandValues stored;
  RETURN_IF_FAILED(com::readBytes(stream, stored.data(), sizeof stored));
  // A damaged stream loads nothing out of range.
  if (!std::all_of(stored.begin(), stored.end(), inRange)) return E_FAIL;
  bands_ = stored;
  return S_OK;
}

DWORD ZEVEqualizer::viewStatus() const noexcept { return VIEWSTATUS_OPAQUE | VIEWSTATUS_SOLIDBKGND; }

LRESULT ZEVEqualizer::onMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      onMouse(message, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return 0;
    case WM_CAPTURECHANGED:
      draggedBand_ = -1;
      return 0;
    case WM_KEYDOWN:
      onKey(wParam);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      fireViewChange();
      return 0;
    default:
      handled = false;
      return 0;
  }
}

void ZEVEqualizer::onMouse(UINT message, POINT point) {
  const design::EqualizerLayout layout(clientRect());
  if (message == WM_LBUTTONDOWN) {
    SetFocus(window());
    const int band = layout.bandAt(point);
    if (band < 0) return;
    focusedBand_ = band;
    draggedBand_ = band;
    SetCapture(window());
    // Grabbed on the thumb, it keeps its place under the pointer; a click on the groove
    // brings it there.
    const RECT thumb = layout.thumb(band, bands_[band]);
    const bool onThumb = point.y >= thumb.top && point.y < thumb.bottom;
    grabOffset_ = onThumb ? point.y - layout.yOf(bands_[band]) : 0;
    fireViewChange();
    if (!onThumb) userMove(band, layout.dbAt(point.y));
    return;
  }
  if (draggedBand_ < 0) return;
  const int band = draggedBand_;
  userMove(band, layout.dbAt(point.y - grabOffset_));
  if (message == WM_LBUTTONUP) ReleaseCapture();
}

void ZEVEqualizer::onKey(WPARAM key) {
  const float value = bands_[focusedBand_];
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
      focusedBand_ = std::clamp(focusedBand_ + (key == VK_LEFT ? -1 : 1), 0, design::kBands - 1);
      fireViewChange();
      return;
    case VK_UP:
      return userMove(focusedBand_, value + 0.5f);
    case VK_DOWN:
      return userMove(focusedBand_, value - 0.5f);
    case VK_PRIOR:
      return userMove(focusedBand_, value + 3.0f);
    case VK_NEXT:
      return userMove(focusedBand_, value - 3.0f);
    case VK_HOME:
      return userMove(focusedBand_, design::kMostDb);
    case VK_END:
      return userMove(focusedBand_, -design::kMostDb);
  }
}
