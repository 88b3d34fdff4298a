#include "outside/ZEVAudioFile/AudioFileLameMp3Encoder.h"

#include "com/Result.h"

#include <type_traits>

using audiofile::LameMp3Settings;

template <class Field, class Out>
HRESULT AudioFileLameMp3Encoder::get(Field LameMp3Settings::*field, Out* out) {
  if (!out) return E_POINTER;
  std::lock_guard lock(mutex_);
  *out = static_cast<Out>(settings_.*field);
  return S_OK;
}

template <class Field, class In>
HRESULT AudioFileLameMp3Encoder::put(Field LameMp3Settings::*field, In value) {
  std::lock_guard lock(mutex_);
  settings_.*field = static_cast<Field>(value);
  return S_OK;
}

HRESULT AudioFileLameMp3Encoder::getFlag(bool LameMp3Settings::*field, VARIANT_BOOL* out) {
  if (!out) return E_POINTER;
  std::lock_guard lock(mutex_);
  *out = settings_.*field ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT AudioFileLameMp3Encoder::putFlag(bool LameMp3Settings::*field, VARIANT_BOOL value) {
  return put(field, value != VARIANT_FALSE);
}

using namespace audiofile;

// clang-format off
STDMETHODIMP AudioFileLameMp3Encoder::get_VbrBitrate(LONG* pVal) { return get(&LameMp3Settings::vbrBitrate, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_VbrBitrate(LONG newVal) { return put(&LameMp3Settings::vbrBitrate, acceptedBitrate(newVal)); }
STDMETHODIMP AudioFileLameMp3Encoder::get_VbrQuality(short* pVal) { return get(&LameMp3Settings::vbrQuality, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_VbrQuality(short newVal) { return put(&LameMp3Settings::vbrQuality, acceptedQuality(newVal)); }
STDMETHODIMP AudioFileLameMp3Encoder::get_VbrCodingMethod(LONG* pVal) { return get(&LameMp3Settings::vbrCodingMethod, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_VbrCodingMethod(LONG newVal) { return put(&LameMp3Settings::vbrCodingMethod, acceptedVbrCodingMethod(newVal)); }
STDMETHODIMP AudioFileLameMp3Encoder::get_AbrBitrate(short* pVal) { return get(&LameMp3Settings::abrBitrate, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_AbrBitrate(short newVal) { return put(&LameMp3Settings::abrBitrate, acceptedBitrate(newVal)); }
STDMETHODIMP AudioFileLameMp3Encoder::get_TypeStereo(LONG* pVal) { return get(&LameMp3Settings::typeStereo, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_TypeStereo(LONG newVal) { return put(&LameMp3Settings::typeStereo, acceptedTypeStereo(newVal)); }
STDMETHODIMP AudioFileLameMp3Encoder::get_EncoderQuality(short* pVal) { return get(&LameMp3Settings::encoderQuality, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_EncoderQuality(short newVal) { return put(&LameMp3Settings::encoderQuality, acceptedQuality(newVal)); }
STDMETHODIMP AudioFileLameMp3Encoder::get_WritingVBRHeader(VARIANT_BOOL* pVal) { return getFlag(&LameMp3Settings::writingVbrHeader, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_WritingVBRHeader(VARIANT_BOOL newVal) { return putFlag(&LameMp3Settings::writingVbrHeader, newVal); }
STDMETHODIMP AudioFileLameMp3Encoder::get_BitReservoir(VARIANT_BOOL* pVal) { return getFlag(&LameMp3Settings::bitReservoir, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_BitReservoir(VARIANT_BOOL newVal) { return putFlag(&LameMp3Settings::bitReservoir, newVal); }
STDMETHODIMP AudioFileLameMp3Encoder::get_BlockTypeControl(VARIANT_BOOL* pVal) { return getFlag(&LameMp3Settings::blockTypeControl, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_BlockTypeControl(VARIANT_BOOL newVal) { return putFlag(&LameMp3Settings::blockTypeControl, newVal); }
STDMETHODIMP AudioFileLameMp3Encoder::get_ShortBlocks(VARIANT_BOOL* pVal) { return getFlag(&LameMp3Settings::shortBlocks, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_ShortBlocks(VARIANT_BOOL newVal) { return putFlag(&LameMp3Settings::shortBlocks, newVal); }
STDMETHODIMP AudioFileLameMp3Encoder::get_Emphasis(short* pVal) { return get(&LameMp3Settings::emphasis, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_Emphasis(short newVal) { return put(&LameMp3Settings::emphasis, acceptedEmphasis(newVal)); }
STDMETHODIMP AudioFileLameMp3Encoder::get_StrictISOCompliance(VARIANT_BOOL* pVal) { return getFlag(&LameMp3Settings::strictIsoCompliance, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_StrictISOCompliance(VARIANT_BOOL newVal) { return putFlag(&LameMp3Settings::strictIsoCompliance, newVal); }
STDMETHODIMP AudioFileLameMp3Encoder::get_StrictlyEnforceMinBitrate(VARIANT_BOOL* pVal) { return getFlag(&LameMp3Settings::strictlyEnforceMinBitrate, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_StrictlyEnforceMinBitrate(VARIANT_BOOL newVal) { return putFlag(&LameMp3Settings::strictlyEnforceMinBitrate, newVal); }
STDMETHODIMP AudioFileLameMp3Encoder::get_ATHControlMode(short* pVal) { return get(&LameMp3Settings::athControlMode, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_ATHControlMode(short newVal) { return put(&LameMp3Settings::athControlMode, acceptedAthControlMode(newVal)); }
STDMETHODIMP AudioFileLameMp3Encoder::get_LowPassFrequency(LONG* pVal) { return get(&LameMp3Settings::lowPassFrequency, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_LowPassFrequency(LONG newVal) { return put(&LameMp3Settings::lowPassFrequency, newVal); }
STDMETHODIMP AudioFileLameMp3Encoder::get_HighPassFrequency(LONG* pVal) { return get(&LameMp3Settings::highPassFrequency, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_HighPassFrequency(LONG newVal) { return put(&LameMp3Settings::highPassFrequency, newVal); }
STDMETHODIMP AudioFileLameMp3Encoder::get_LowPassWidth(LONG* pVal) { return get(&LameMp3Settings::lowPassWidth, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_LowPassWidth(LONG newVal) { return put(&LameMp3Settings::lowPassWidth, newVal); }
STDMETHODIMP AudioFileLameMp3Encoder::get_HighPassWidth(LONG* pVal) { return get(&LameMp3Settings::highPassWidth, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_HighPassWidth(LONG newVal) { return put(&LameMp3Settings::highPassWidth, newVal); }
STDMETHODIMP AudioFileLameMp3Encoder::get_ErrorProtection(VARIANT_BOOL* pVal) { return getFlag(&LameMp3Settings::errorProtection, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_ErrorProtection(VARIANT_BOOL newVal) { return putFlag(&LameMp3Settings::errorProtection, newVal); }
STDMETHODIMP AudioFileLameMp3Encoder::get_Frequency(LONG* pVal) { return get(&LameMp3Settings::frequency, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_Frequency(LONG newVal) { return put(&LameMp3Settings::frequency, acceptedFrequency(newVal)); }
STDMETHODIMP AudioFileLameMp3Encoder::get_Channels(LONG* pVal) { return get(&LameMp3Settings::channels, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_Channels(LONG newVal) { return put(&LameMp3Settings::channels, acceptedChannels(newVal)); }
STDMETHODIMP AudioFileLameMp3Encoder::get_Bitrate(LONG* pVal) { return get(&LameMp3Settings::bitrate, pVal); }
STDMETHODIMP AudioFileLameMp3Encoder::put_Bitrate(LONG newVal) { return put(&LameMp3Settings::bitrate, acceptedBitrate(newVal)); }
// clang-format on

namespace {

template <class Value, class Field>
HRESULT readInto(IAudioFileLameMp3Encoder* encoder, HRESULT (STDMETHODCALLTYPE IAudioFileLameMp3Encoder::*getter)(Value*),
                 Field& field) {
  Value value{};
  RETURN_IF_FAILED((encoder->*getter)(&value));
  if constexpr (std::is_same_v<Field, bool>)
    field = value != VARIANT_FALSE;
  else
    field = static_cast<Field>(value);
  return S_OK;
}

}  // namespace

HRESULT readLameMp3Settings(IAudioFileLameMp3Encoder* e, LameMp3Settings& settings) {
  if (!e) return E_POINTER;
  using I = IAudioFileLameMp3Encoder;
  LameMp3Settings s;
  RETURN_IF_FAILED(readInto(e, &I::get_VbrBitrate, s.vbrBitrate));
  RETURN_IF_FAILED(readInto(e, &I::get_VbrQuality, s.vbrQuality));
  RETURN_IF_FAILED(readInto(e, &I::get_VbrCodingMethod, s.vbrCodingMethod));
  RETURN_IF_FAILED(readInto(e, &I::get_AbrBitrate, s.abrBitrate));
  RETURN_IF_FAILED(readInto(e, &I::get_TypeStereo, s.typeStereo));
  RETURN_IF_FAILED(readInto(e, &I::get_EncoderQuality, s.encoderQuality));
  RETURN_IF_FAILED(readInto(e, &I::get_WritingVBRHeader, s.writingVbrHeader));
  RETURN_IF_FAILED(readInto(e, &I::get_BitReservoir, s.bitReservoir));
  RETURN_IF_FAILED(readInto(e, &I::get_BlockTypeControl, s.blockTypeControl));
  RETURN_IF_FAILED(readInto(e, &I::get_ShortBlocks, s.shortBlocks));
  RETURN_IF_FAILED(readInto(e, &I::get_Emphasis, s.emphasis));
  RETURN_IF_FAILED(readInto(e, &I::get_StrictISOCompliance, s.strictIsoCompliance));
  RETURN_IF_FAILED(readInto(e, &I::get_StrictlyEnforceMinBitrate, s.strictlyEnforceMinBitrate));
  RETURN_IF_FAILED(readInto(e, &I::get_ATHControlMode, s.athControlMode));
  RETURN_IF_FAILED(readInto(e, &I::get_LowPassFrequency, s.lowPassFrequency));
  RETURN_IF_FAILED(readInto(e, &I::get_HighPassFrequency, s.highPassFrequency));
  RETURN_IF_FAILED(readInto(e, &I::get_LowPassWidth, s.lowPassWidth));
  RETURN_IF_FAILED(readInto(e, &I::get_HighPassWidth, s.highPassWidth));
  RETURN_IF_FAILED(readInto(e, &I::get_ErrorProtection, s.errorProtection));
  RETURN_IF_FAILED(readInto(e, &I::get_Frequency, s.frequency));
  RETURN_IF_FAILED(readInto(e, &I::get_Channels, s.channels));
  RETURN_IF_FAILED(readInto(e, &I::get_Bitrate, s.bitrate));
  settings = s;
  return S_OK;
}
