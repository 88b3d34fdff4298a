// AudioFileControl: the player's reader of audio files. An automation object the player
// creates by class identifier and uses without a window; see outside/README.md.
#pragma once

#include "com/Dispatch.h"
#include "com/Object.h"
#include "outside/ZEVAudioFile/AudioReader.h"

#include "ZEVAudioFile.h"

#include <memory>
#include <vector>

class AudioFileControl final : public com::Object<com::Dispatch<IAudioFileControl>> {
 public:
  STDMETHODIMP OpenFile(BSTR FileName, LONG Mode, LONG SampleType) override;
  STDMETHODIMP CloseFile() override;
  STDMETHODIMP Seek(LONG Position, LONG Unit, LONG* Reached) override;
  STDMETHODIMP ReadSamples(LONG Count, SAFEARRAY** Samples) override;
  STDMETHODIMP get_TotalSamples(LONG* pVal) override;
  STDMETHODIMP get_OpenError(LONG* pVal) override;
  STDMETHODIMP get_FormatA(LONG* pVal) override;
  STDMETHODIMP get_FormatB(LONG* pVal) override;
  STDMETHODIMP get_WmaFormatEnabled(VARIANT_BOOL* pVal) override;
  STDMETHODIMP put_WmaFormatEnabled(VARIANT_BOOL newVal) override;

 private:
  std::unique_ptr<audiofile::AudioReader> reader_;
  LONG openError_ = AFE_NONE;
  int64_t position_ = 0;  // frames
  bool wmaEnabled_ = false;
  std::vector<int16_t> buffer_;
};
