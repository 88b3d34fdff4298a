// AudioFileLameMp3Encoder: the 22 MP3 settings as automation properties. A put stores the
// nearest value LAME takes, so that a client reading the settings back sees what the encoder
// will use. Registered "Both": its own lock makes calls from any thread safe.
#pragma once

#include "com/Dispatch.h"
#include "com/Object.h"
#include "outside/ZEVAudioFile/LameMp3Settings.h"

#include "ZEVAudioFile.h"

#include <mutex>

class AudioFileLameMp3Encoder final : public com::Object<com::Dispatch<IAudioFileLameMp3Encoder>> {
 public:
  STDMETHODIMP get_VbrBitrate(LONG* pVal) override;
  STDMETHODIMP put_VbrBitrate(LONG newVal) override;
  STDMETHODIMP get_VbrQuality(short* pVal) override;
  STDMETHODIMP put_VbrQuality(short newVal) override;
  STDMETHODIMP get_VbrCodingMethod(LONG* pVal) override;
  STDMETHODIMP put_VbrCodingMethod(LONG newVal) override;
  STDMETHODIMP get_AbrBitrate(short* pVal) override;
  STDMETHODIMP put_AbrBitrate(short newVal) override;
  STDMETHODIMP get_TypeStereo(LONG* pVal) override;
  STDMETHODIMP put_TypeStereo(LONG newVal) override;
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
  STDMETHODIMP get_Frequency(LONG* pVal) override;
  STDMETHODIMP put_Frequency(LONG newVal) override;
  STDMETHODIMP get_Channels(LONG* pVal) override;
  STDMETHODIMP put_Channels(LONG newVal) override;
  STDMETHODIMP get_Bitrate(LONG* pVal) override;
  STDMETHODIMP put_Bitrate(LONG newVal) override;

 private:
  template <class Field, class Out>
  HRESULT get(Field audiofile::LameMp3Settings::*field, Out* out);
  template <class Field, class In>
  HRESULT put(Field audiofile::LameMp3Settings::*field, In value);
  HRESULT getFlag(bool audiofile::LameMp3Settings::*field, VARIANT_BOOL* out);
  HRESULT putFlag(bool audiofile::LameMp3Settings::*field, VARIANT_BOOL value);

  std::mutex mutex_;
  audiofile::LameMp3Settings settings_;
};

// Reads the 22 settings of any IAudioFileLameMp3Encoder (a proxy as well); on a failed get
// nothing of settings changes and the failure is returned.
HRESULT readLameMp3Settings(IAudioFileLameMp3Encoder* encoder, audiofile::LameMp3Settings& settings);
