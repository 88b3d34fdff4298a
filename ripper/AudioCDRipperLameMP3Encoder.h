// AudioCDRipperLameMP3Encoder: the automation object that holds one set of MP3 encoding
// settings for the ripper's SetFormatMP3Ex. It encodes nothing and calls nothing; every
// member succeeds. Values are stored unchecked in the width of their field.
#pragma once

#include "com/Dispatch.h"
#include "com/Object.h"
#include "ripper/LameMP3Settings.h"

#include "ZEVDiscRipper.h"

class AudioCDRipperLameMP3Encoder final : public com::Object<com::Dispatch<IAudioCDRipperLameMP3Encoder>> {
public:
    STDMETHODIMP SetParamsFromCommandLine(BSTR CommandLine) override;
    STDMETHODIMP SetParamsFromPreset(short Preset) override;
    STDMETHODIMP SetParamsFromAltPreset(short Preset) override;
    STDMETHODIMP get_VbrBitrate(RipBitrateConstants* pVal) override;
    STDMETHODIMP put_VbrBitrate(RipBitrateConstants newVal) override;
    STDMETHODIMP get_VbrQuality(short* pVal) override;
    STDMETHODIMP put_VbrQuality(short newVal) override;
    STDMETHODIMP get_VbrCodingMethod(RipLameVBRCodingMethod* pVal) override;
    STDMETHODIMP put_VbrCodingMethod(RipLameVBRCodingMethod newVal) override;
    STDMETHODIMP get_AbrBitrate(short* pVal) override;
    STDMETHODIMP put_AbrBitrate(short newVal) override;
    STDMETHODIMP get_TypeStereo(RipLameTypeStereoContants* pVal) override;
    STDMETHODIMP put_TypeStereo(RipLameTypeStereoContants newVal) override;
    STDMETHODIMP get_EncoderQuality(short* pVal) override;
    STDMETHODIMP put_EncoderQuality(short newVal) override;
    STDMETHODIMP get_WritingVBRHeader(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_WritingVBRHeader(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_BitReservoir(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_BitReservoir(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_BlockTypeControl(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_BlockTypeControl(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_ShortBlocks(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_ShortBlocks(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_Emphasis(short* pVal) override;
    STDMETHODIMP put_Emphasis(short newVal) override;
    STDMETHODIMP get_StrictISOCompliance(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_StrictISOCompliance(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_StrictlyEnforceMinBitrate(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_StrictlyEnforceMinBitrate(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_ATHControlMode(short* pVal) override;
    STDMETHODIMP put_ATHControlMode(short newVal) override;
    STDMETHODIMP get_LowPassFrequency(LONG* pVal) override;
    STDMETHODIMP put_LowPassFrequency(LONG newVal) override;
    STDMETHODIMP get_HighPassFrequency(LONG* pVal) override;
    STDMETHODIMP put_HighPassFrequency(LONG newVal) override;
    STDMETHODIMP get_LowPassWidth(LONG* pVal) override;
    STDMETHODIMP put_LowPassWidth(LONG newVal) override;
    STDMETHODIMP get_HighPassWidth(LONG* pVal) override;
    STDMETHODIMP put_HighPassWidth(LONG newVal) override;
    STDMETHODIMP get_ErrorProtection(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_ErrorProtection(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_Frequency(RipFrequencyConstants* pVal) override;
    STDMETHODIMP put_Frequency(RipFrequencyConstants newVal) override;
    STDMETHODIMP get_Channels(RipChannelsConstants* pVal) override;
    STDMETHODIMP put_Channels(RipChannelsConstants newVal) override;
    STDMETHODIMP get_Bitrate(RipBitrateConstants* pVal) override;
    STDMETHODIMP put_Bitrate(RipBitrateConstants newVal) override;

private:
    LameMP3Settings settings_;
};
