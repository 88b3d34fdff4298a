#include "outside/ZEVAudioFile/AudioFile.h"

#include "com/Bstr.h"
#include "com/Result.h"
#include "com/SafeArray.h"
#include "outside/ZEVAudioFile/AudioFileLameMp3Encoder.h"
#include "outside/ZEVAudioFile/FileName.h"
#include "outside/ZEVAudioFile/FormatText.h"
#include "outside/ZEVAudioFile/Mp3Encoder.h"
#include "outside/ZEVAudioFile/WmaEncoder.h"
#include "com/SampleBlock.h"

using namespace audiofile;

namespace {

// CreateOutputFile's modes: MP3 files are asked for with 2, the other kinds with 0.
constexpr LONG kMp3Mode = 2;
constexpr LONG kOtherMode = 0;
// SetWmaParameter's one value: each profile with its own settings.
constexpr LONG kProfileAsItStands = -1;

HRESULT failureOf(const Encoder& encoder) {
  return encoder.error() ? HRESULT_FROM_WIN32(encoder.error()) : E_FAIL;
}

LONG openStatusOf(Encoder::Status status) {
  switch (status) {
    case Encoder::Status::ok: return AFS_READY;
    case Encoder::Status::settingsRefused: return AFS_FORMAT_REFUSED;
    default: return AFS_FILE_NOT_CREATED;
  }
}

VARIANT_BOOL variantBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

}  // namespace

STDMETHODIMP AudioFile::SetMp3Format(LONG Frequency, LONG Bitrate, LONG Channels) {
  std::lock_guard lock(mutex_);
  mp3_.frequency = Frequency;
  mp3_.bitrate = static_cast<int16_t>(Bitrate);
  mp3_.channels = static_cast<int16_t>(Channels);
  kind_ = Kind::mp3;
  return S_OK;
}

STDMETHODIMP AudioFile::SetWmaParameter(LONG Parameter) {
  if (Parameter != kProfileAsItStands) return E_INVALIDARG;
  std::lock_guard lock(mutex_);
  kind_ = Kind::wma;
  return S_OK;
}

// A number outside the table is kept, as the Ogg and MP3 formats are: the file is refused when
// it is created, which is where the ripper looks for the answer.
STDMETHODIMP AudioFile::SetWmaProfile(LONG Profile) {
  std::lock_guard lock(mutex_);
  wmaProfile_ = Profile;
  kind_ = Kind::wma;
  return S_OK;
}

STDMETHODIMP AudioFile::SetOggFormat(LONG Frequency, LONG Channels, LONG NominalBitrate, LONG MinBitrate,
                                     LONG MaxBitrate, short Quality) {
  std::lock_guard lock(mutex_);
  ogg_ = {Frequency, Channels, NominalBitrate, MinBitrate, MaxBitrate, Quality};
  kind_ = Kind::ogg;
  return S_OK;
}

STDMETHODIMP AudioFile::SetMp3Encoder(IAudioFileLameMp3Encoder* Encoder) {
  // Read outside the lock: the settings object may answer through another thread.
  LameMp3Settings settings;
  RETURN_IF_FAILED(readLameMp3Settings(Encoder, settings));
  std::lock_guard lock(mutex_);
  mp3_ = settings;
  kind_ = Kind::mp3;
  return S_OK;
}

STDMETHODIMP AudioFile::IsMp3FormatAvailable(LONG Frequency, LONG Bitrate, LONG Channels, VARIANT_BOOL* Available) {
  if (!Available) return E_POINTER;
  *Available = variantBool(isMp3FormatAvailable(Frequency, Bitrate, Channels));
  return S_OK;
}

STDMETHODIMP AudioFile::IsOggFormatAvailable(LONG Frequency, LONG Channels, LONG NominalBitrate, LONG MinBitrate,
                                             LONG MaxBitrate, VARIANT_BOOL* Available) {
  if (!Available) return E_POINTER;
  *Available = variantBool(isOggFormatAvailable({Frequency, Channels, NominalBitrate, MinBitrate, MaxBitrate, -1}));
  return S_OK;
}

STDMETHODIMP AudioFile::GetFormatString(BSTR* Format) {
  return com::guarded([&] {
    std::lock_guard lock(mutex_);
    switch (kind_) {
      case Kind::ogg: return com::copy_to(Format, describeOgg(ogg_));
      case Kind::wma: return com::copy_to(Format, describeWma(wmaProfile_));
      default: return com::copy_to(Format, describeMp3(mp3_));
    }
  });
}

STDMETHODIMP AudioFile::SetInputFormat(LONG Frequency, LONG Channels) {
  if (Frequency < 8000 || Frequency > 192000 || Channels < 1 || Channels > 2) return E_INVALIDARG;
  std::lock_guard lock(mutex_);
  const PcmFormat input{Frequency, Channels};
  // The open file's encoder was set up for the input it was created with.
  if (encoder_ && (input.sampleRate != input_.sampleRate || input.channels != input_.channels)) return E_UNEXPECTED;
  input_ = input;
  return S_OK;
}

STDMETHODIMP AudioFile::CreateOutputFile(BSTR FileName, LONG Mode) {
  return com::guarded([&] {
    const std::wstring path(com::view(FileName));
    const std::wstring extension = lowerExtension(path);
    std::lock_guard lock(mutex_);
    finishFile();
    if (extension == L"mp3" && Mode == kMp3Mode) {
      kind_ = Kind::mp3;
      encoder_ = std::make_unique<Mp3Encoder>(mp3_, input_, path);
    } else if (extension == L"ogg" && Mode == kOtherMode) {
      kind_ = Kind::ogg;
      encoder_ = std::make_unique<OggEncoder>(ogg_, input_, path);
    } else if (extension == L"wma" && Mode == kOtherMode) {
      kind_ = Kind::wma;
      encoder_ = std::make_unique<WmaEncoder>(findWmaProfile(wmaProfile_), input_, path);
    } else {
      openStatus_ = AFS_NO_ENCODER;
      return S_OK;
    }
    openStatus_ = openStatusOf(encoder_->status());
    if (openStatus_ != AFS_READY) encoder_.reset();
    return S_OK;
  });
}

STDMETHODIMP AudioFile::GetOpenStatus(LONG* Status) {
  if (!Status) return E_POINTER;
  std::lock_guard lock(mutex_);
  *Status = openStatus_;
  return S_OK;
}

STDMETHODIMP AudioFile::WriteSamples(SAFEARRAY** Samples) {
  if (!Samples || !com::isSampleBlock(*Samples)) return E_INVALIDARG;
  return com::guarded([&] {
    std::lock_guard lock(mutex_);
    if (!encoder_) return E_UNEXPECTED;
    com::safearray_data<SHORT> data(*Samples);
    if (!data) return data.result();
    // Whole frames only: half a frame would shift every later sample to the other channel.
    if (data.size() % static_cast<size_t>(input_.channels) != 0) return E_INVALIDARG;
    if (!encoder_->write({data.begin(), data.size()})) return failureOf(*encoder_);
    return S_OK;
  });
}

STDMETHODIMP AudioFile::CloseFile() {
  return com::guarded([&] {
    std::lock_guard lock(mutex_);
    if (!encoder_) return S_FALSE;
    return finishFile();
  });
}

HRESULT AudioFile::finishFile() {
  if (!encoder_) return S_OK;
  const HRESULT hr = encoder_->finish() ? S_OK : failureOf(*encoder_);
  encoder_.reset();
  return hr;
}
