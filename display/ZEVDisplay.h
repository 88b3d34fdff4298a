// ZEVDisplay: the ZEVAudioDisplay control. It keeps per-channel levels and sample buffers
// from the blocks its host sends, and draws them as level bars, a scope or coloured columns
// in its own window, redrawing at once after every block and property change. It has no
// thread, timer or events of its own; property changes of BorderStyle, TypeDisplay and
// ArrayChannels are announced to IPropertyNotifySink connections.
#pragma once

#include "com/ControlObject.h"
#include "display/DisplaySettings.h"
#include "display/LevelAnalysis.h"
#include "display/StyleBitmaps.h"

#include "ZEVAudioDisplay.h"

class ZEVDisplay final : public com::ControlObject<ZEVDisplay, IZEVAudioDisplay> {
public:
    static constexpr const CLSID& classId = CLSID_ZEVAudioDisplay;
    static constexpr const IID& sourceId = IID_NULL;

    ZEVDisplay();

    // IZEVAudioDisplay, in slot order
    STDMETHODIMP _OnTimer() override;
    STDMETHODIMP get_BorderStyle(BorderTypeConstants* pVal) override;
    STDMETHODIMP put_BorderStyle(BorderTypeConstants newVal) override;
    STDMETHODIMP get_TypeDisplay(TypeDisplay* pVal) override;
    STDMETHODIMP put_TypeDisplay(TypeDisplay newVal) override;
    STDMETHODIMP get_BackColor(OLE_COLOR* pVal) override;
    STDMETHODIMP put_BackColor(OLE_COLOR newVal) override;
    STDMETHODIMP get_BorderColor(OLE_COLOR* pVal) override;
    STDMETHODIMP put_BorderColor(OLE_COLOR newVal) override;
    STDMETHODIMP get_InscriptionsColor(OLE_COLOR* pVal) override;
    STDMETHODIMP put_InscriptionsColor(OLE_COLOR newVal) override;
    STDMETHODIMP get_ScaleColor(OLE_COLOR* pVal) override;
    STDMETHODIMP put_ScaleColor(OLE_COLOR newVal) override;
    STDMETHODIMP get_LevelsColor(OLE_COLOR* pVal) override;
    STDMETHODIMP put_LevelsColor(OLE_COLOR newVal) override;
    STDMETHODIMP get_MaxLevelColor(OLE_COLOR* pVal) override;
    STDMETHODIMP put_MaxLevelColor(OLE_COLOR newVal) override;
    STDMETHODIMP get_FFTWindowsSize(LONG* pVal) override;
    STDMETHODIMP put_FFTWindowsSize(LONG newVal) override;
    STDMETHODIMP get_MaxLevel(SHORT* pVal) override;
    STDMETHODIMP put_MaxLevel(SHORT newVal) override;
    STDMETHODIMP get_OutLinesHeight(SHORT* pVal) override;
    STDMETHODIMP put_OutLinesHeight(SHORT newVal) override;
    STDMETHODIMP get_ArrayChannels(ChannelsConstants* pVal) override;
    STDMETHODIMP put_ArrayChannels(ChannelsConstants newVal) override;
    STDMETHODIMP get_ArrayFreqyency(FrequencyConstants* pVal) override;
    STDMETHODIMP put_ArrayFreqyency(FrequencyConstants newVal) override;
    STDMETHODIMP get_AttackTime(LONG* pVal) override;
    STDMETHODIMP put_AttackTime(LONG newVal) override;
    STDMETHODIMP get_ReleaseTime(LONG* pVal) override;
    STDMETHODIMP put_ReleaseTime(LONG newVal) override;
    STDMETHODIMP SendArray(SAFEARRAY** InputArray) override;

    // IOleObject: the control is never smaller than 250 x 80 pixels.
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;

private:
    void draw(HDC dc, const RECT& bounds) override;
    HRESULT saveProperties(IStream* stream) override;
    HRESULT loadProperties(IStream* stream) override;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void onInPlaceActivated() override;
    DWORD viewStatus() const noexcept override;
    std::span<const CLSID> propertyPages() const noexcept override;

    // Draws into the window at once when in-place active, else asks the container to.
    void redraw();
    // Stores a property value and marks the control changed; store also redraws.
    template <class T, class U>
    HRESULT keep(T& field, U value);
    template <class T, class U>
    HRESULT store(T& field, U value);
    void onSize(int width, int height);
    void onMove(int x, int y);

    display::DisplaySettings settings_;
    display::LevelState levels_;
    display::StyleBitmaps styles_;
    LONG frequency_ = FQ_44_KHZ;  // ArrayFreqyency, AttackTime, ReleaseTime: stored only
    LONG attackTime_ = 0;
    LONG releaseTime_ = 0;
};
