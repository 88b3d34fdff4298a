// ZEVEqualizer: the ZEVAudioDesign control, twelve vertical sliders in dB in its own window.
// The user drags a thumb (or clicks a groove to move it there) or uses the keys on the band
// with the focus (left/right to choose, up/down 0.5 dB, page up/down 3 dB, home/end to the
// ends); each move the user makes fires OnValueChange(band). Puts of Band1..Band12 only
// store, announce the property change and redraw. The twelve values persist.
#pragma once

#include "com/ControlObject.h"
#include "outside/ZEVAudioDesign/EqualizerDrawing.h"

#include "ZEVAudioDesign.h"

// Band n's get and put, over getBand and putBand.
#define ZEV_EQUALIZER_BAND(n)                                                              \
  STDMETHODIMP get_Band##n(float* pVal) override { return getBand(n - 1, pVal); }         \
  STDMETHODIMP put_Band##n(float newVal) override { return putBand(n - 1, newVal); }

class ZEVEqualizer final : public com::ControlObject<ZEVEqualizer, IZEVEqualizer> {
 public:
  static constexpr const CLSID& classId = CLSID_ZEVEqualizer;
  static constexpr const IID& sourceId = DIID__IZEVEqualizerEvents;

  ZEVEqualizer();

  // IZEVEqualizer, in slot order
  ZEV_EQUALIZER_BAND(1)
  ZEV_EQUALIZER_BAND(2)
  ZEV_EQUALIZER_BAND(3)
  ZEV_EQUALIZER_BAND(4)
  ZEV_EQUALIZER_BAND(5)
  ZEV_EQUALIZER_BAND(6)
  ZEV_EQUALIZER_BAND(7)
  ZEV_EQUALIZER_BAND(8)
  ZEV_EQUALIZER_BAND(9)
  ZEV_EQUALIZER_BAND(10)
  ZEV_EQUALIZER_BAND(11)
  ZEV_EQUALIZER_BAND(12)

 private:
  HRESULT getBand(int band, float* value);
  HRESULT putBand(int band, float value);
  // A move the user made: stored, redrawn, and told to the client.
  void userMove(int band, float value);

  void draw(HDC dc, const RECT& bounds) override;
  HRESULT saveProperties(IStream* stream) override;
  HRESULT loadProperties(IStream* stream) override;
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
  DWORD viewStatus() const noexcept override;
  void onMouse(UINT message, POINT point);
  void onKey(WPARAM key);
  RECT clientRect() const;

  design::BandValues bands_{};
  int focusedBand_ = 0;
  int draggedBand_ = -1;
  int grabOffset_ = 0;  // pixels between the pointer and the thumb's centre while dragging
};
