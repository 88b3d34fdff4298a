// AudioFile: writes MP3, Ogg Vorbis and WMA files from the PCM the ripper hands over. Registered
// "Both": the ripper's worker and timer threads call WriteSamples on the same object, so every
// member runs under one lock.
#pragma once

#include "com/Dispatch.h"
#include "com/Object.h"
#include "outside/ZEVAudioFile/Encoder.h"
#include "outside/ZEVAudioFile/LameMp3Settings.h"
#include "outside/ZEVAudioFile/OggEncoder.h"

#include "ZEVAudioFile.h"

#include <memory>
#include <mutex>

class AudioFile final : public com::Object<com::Dispatch<IAudioFile>> {
 public:
  STDMETHODIMP SetMp3Format(LONG Frequency, LONG Bitrate, LONG Channels) override;
  STDMETHODIMP SetWmaParameter(LONG Parameter) override;
  STDMETHODIMP SetWmaProfile(LONG Profile) override;
  STDMETHODIMP SetOggFormat(LONG Frequency, LONG Channels, LONG NominalBitrate, LONG MinBitrate, LONG MaxBitrate,
                            short Quality) override;
  STDMETHODIMP SetMp3Encoder(IAudioFileLameMp3Encoder* Encoder) override;
  STDMETHODIMP IsMp3FormatAvailable(LONG Frequency, LONG Bitrate, LONG Channels, VARIANT_BOOL* Available) override;
  STDMETHODIMP IsOggFormatAvailable(LONG Frequency, LONG Channels, LONG NominalBitrate, LONG MinBitrate,
                                    LONG MaxBitrate, VARIANT_BOOL* Available) override;
  STDMETHODIMP GetFormatString(BSTR* Format) override;
  STDMETHODIMP SetInputFormat(LONG Frequency, LONG Channels) override;
  STDMETHODIMP CreateOutputFile(BSTR FileName, LONG Mode) override;
  STDMETHODIMP GetOpenStatus(LONG* Status) override;
  STDMETHODIMP WriteSamples(SAFEARRAY** Samples) override;
  STDMETHODIMP CloseFile() override;

 private:
  enum class Kind { mp3, ogg, wma };

  // Finishes the open file, if any; the failure of an incomplete file.
  HRESULT finishFile();

  std::mutex mutex_;
  audiofile::LameMp3Settings mp3_;
  audiofile::OggFormat ogg_;
  LONG wmaProfile_ = 24;  // a number of the WMA profile table, or one outside it
  audiofile::PcmFormat input_;
  Kind kind_ = Kind::mp3;  // of the last format set or file created: what GetFormatString tells
  std::unique_ptr<audiofile::Encoder> encoder_;
  LONG openStatus_ = AFS_NO_FILE;
};
