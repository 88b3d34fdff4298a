// The rip settings and the rips.
#include "ripper/AudioCDRipper.h"

// The rip engine is not built yet.
STDMETHODIMP AudioCDRipper::RipTrackToWav(BSTR) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::RipTrackToMP3(BSTR) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::RipTrackToWMA(BSTR) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::RipTrackToOGG(BSTR) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::StopRip() { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::get_driveSpeed(LONG*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::put_driveSpeed(LONG) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::get_driveSpinUpTime(LONG*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::put_driveSpinUpTime(LONG) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::get_driveLockCDTrayDuringRip(VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::put_driveLockCDTrayDuringRip(VARIANT_BOOL) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::get_ripModePreset(RipModePresetConstants*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::put_ripModePreset(RipModePresetConstants) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::get_ripOnErrorAction(RipActionOnErrorConstants*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::put_ripOnErrorAction(RipActionOnErrorConstants) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::get_ripOnErrorRetries(LONG*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::put_ripOnErrorRetries(LONG) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::get_ripUseExternalASPI(VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::put_ripUseExternalASPI(VARIANT_BOOL) { return E_NOTIMPL; }
