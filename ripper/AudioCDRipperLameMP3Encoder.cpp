#include "ripper/AudioCDRipperLameMP3Encoder.h"

#include "com/Bstr.h"

namespace {

// A get returns the field widened (16-bit fields sign-extended); a put keeps the low bits
// that fit the field.
template <class Field, class Out>
HRESULT get(Field field, Out* out) {
    if (!out) return E_POINTER;
    *out = static_cast<Out>(field);
    return S_OK;
}

template <class Field, class In>
HRESULT put(Field& field, In value) {
    field = static_cast<Field>(value);
    return S_OK;
}

// BitReservoir and ShortBlocks are held as "disabled" flags: 0 disables, any other value
// enables, and a get answers 1 (not VARIANT_TRUE) when enabled.
HRESULT getEnabled(int16_t disabled, VARIANT_BOOL* out) { return get<int16_t>(disabled ? 0 : 1, out); }

HRESULT putEnabled(int16_t& disabled, VARIANT_BOOL value) { return put(disabled, value == 0 ? 1 : 0); }

}  // namespace

STDMETHODIMP AudioCDRipperLameMP3Encoder::SetParamsFromCommandLine(BSTR CommandLine) {
    if (com::view(CommandLine).empty()) return S_OK;
    return com::guarded([&] {
        LameMP3Settings parsed = settings_;
        applyOptionString(parsed, com::to_ansi(CommandLine));
        settings_ = parsed;
        return S_OK;
    });
}

STDMETHODIMP AudioCDRipperLameMP3Encoder::SetParamsFromPreset(short Preset) {
    applyPreset(settings_, Preset);
    return S_OK;
}

STDMETHODIMP AudioCDRipperLameMP3Encoder::SetParamsFromAltPreset(short Preset) {
    applyPreset(settings_, static_cast<int16_t>(Preset + 100));
    return S_OK;
}

// clang-format off
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_VbrBitrate(RipBitrateConstants* pVal) { return get(settings_.vbrBitrate, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_VbrBitrate(RipBitrateConstants newVal) { return put(settings_.vbrBitrate, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_VbrQuality(short* pVal) { return get(settings_.vbrQuality, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_VbrQuality(short newVal) { return put(settings_.vbrQuality, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_VbrCodingMethod(RipLameVBRCodingMethod* pVal) { return get(settings_.vbrCodingMethod, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_VbrCodingMethod(RipLameVBRCodingMethod newVal) { return put(settings_.vbrCodingMethod, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_AbrBitrate(short* pVal) { return get(settings_.abrBitrate, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_AbrBitrate(short newVal) { return put(settings_.abrBitrate, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_TypeStereo(RipLameTypeStereoContants* pVal) { return get(settings_.typeStereo, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_TypeStereo(RipLameTypeStereoContants newVal) { return put(settings_.typeStereo, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_EncoderQuality(short* pVal) { return get(settings_.encoderQuality, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_EncoderQuality(short newVal) { return put(settings_.encoderQuality, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_WritingVBRHeader(VARIANT_BOOL* pVal) { return get(settings_.writingVBRHeader, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_WritingVBRHeader(VARIANT_BOOL newVal) { return put(settings_.writingVBRHeader, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_BitReservoir(VARIANT_BOOL* pVal) { return getEnabled(settings_.bitReservoirDisabled, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_BitReservoir(VARIANT_BOOL newVal) { return putEnabled(settings_.bitReservoirDisabled, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_BlockTypeControl(VARIANT_BOOL* pVal) { return get(settings_.blockTypeControl, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_BlockTypeControl(VARIANT_BOOL newVal) { return put(settings_.blockTypeControl, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_ShortBlocks(VARIANT_BOOL* pVal) { return getEnabled(settings_.shortBlocksDisabled, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_ShortBlocks(VARIANT_BOOL newVal) { return putEnabled(settings_.shortBlocksDisabled, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_Emphasis(short* pVal) { return get(settings_.emphasis, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_Emphasis(short newVal) { return put(settings_.emphasis, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_StrictISOCompliance(VARIANT_BOOL* pVal) { return get(settings_.strictISOCompliance, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_StrictISOCompliance(VARIANT_BOOL newVal) { return put(settings_.strictISOCompliance, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_StrictlyEnforceMinBitrate(VARIANT_BOOL* pVal) { return get(settings_.strictlyEnforceMinBitrate, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_StrictlyEnforceMinBitrate(VARIANT_BOOL newVal) { return put(settings_.strictlyEnforceMinBitrate, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_ATHControlMode(short* pVal) { return get(settings_.athControlMode, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_ATHControlMode(short newVal) { return put(settings_.athControlMode, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_LowPassFrequency(LONG* pVal) { return get(settings_.lowPassFrequency, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_LowPassFrequency(LONG newVal) { return put(settings_.lowPassFrequency, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_HighPassFrequency(LONG* pVal) { return get(settings_.highPassFrequency, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_HighPassFrequency(LONG newVal) { return put(settings_.highPassFrequency, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_LowPassWidth(LONG* pVal) { return get(settings_.lowPassWidth, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_LowPassWidth(LONG newVal) { return put(settings_.lowPassWidth, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_HighPassWidth(LONG* pVal) { return get(settings_.highPassWidth, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_HighPassWidth(LONG newVal) { return put(settings_.highPassWidth, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_ErrorProtection(VARIANT_BOOL* pVal) { return get(settings_.errorProtection, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_ErrorProtection(VARIANT_BOOL newVal) { return put(settings_.errorProtection, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_Frequency(RipFrequencyConstants* pVal) { return get(settings_.frequency, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_Frequency(RipFrequencyConstants newVal) { return put(settings_.frequency, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_Channels(RipChannelsConstants* pVal) { return get(settings_.channels, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_Channels(RipChannelsConstants newVal) { return put(settings_.channels, newVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::get_Bitrate(RipBitrateConstants* pVal) { return get(settings_.bitrate, pVal); }
STDMETHODIMP AudioCDRipperLameMP3Encoder::put_Bitrate(RipBitrateConstants newVal) { return put(settings_.bitrate, newVal); }
// clang-format on
