// The outside encoder objects (ZEVAudioFile's AudioFile and AudioFileLameMp3Encoder) and the
// output formats set up on them.
//
// What a client is told when a format cannot be set up: no encoder objects (never created, or
// the driver is closed) raise FORMAT_NOT_SUPPORT, as a rip of that format would; a settings
// object that is missing or is not an MP3 settings object raises INVALID_PARAM; an outside
// call that fails raises OPERATION_FAILED. In each case the format stays pending, so the next
// rip still sets its default format, and a getter leaves its out value unwritten.
#include "ripper/AudioCDRipper.h"

#include "com/Bstr.h"
#include "com/Result.h"
#include "ripper/LameSettingsCopy.h"

namespace {

// The quality DriverOpen gives the MP3 encoder before any format is set.
constexpr short kDefaultEncoderQuality = 8;

std::optional<ErrcodeConstants> outcome(HRESULT hr) {
    return FAILED(hr) ? std::optional<ErrcodeConstants>(OPERATION_FAILED) : std::nullopt;
}

HRESULT setMp3Format(IAudioFile* audioFile, const Mp3Format& format) {
    return audioFile->SetMp3Format(format.frequency, format.bitrate, format.channels);
}

// The WMA encoder takes no parameter of ours: -1 leaves its own.
HRESULT setWmaProfile(IAudioFile* audioFile, LONG profile) {
    RETURN_IF_FAILED(audioFile->SetWmaParameter(-1));
    return audioFile->SetWmaProfile(profile);
}

HRESULT setOggFormat(IAudioFile* audioFile, const OggFormat& format) {
    return audioFile->SetOggFormat(format.frequency, format.channels, format.nominalBitrate, format.minBitrate,
                                   format.maxBitrate, format.quality);
}

}  // namespace

bool AudioCDRipper::createEncoderObjects() {
    if (!encoderApartment_) encoderApartment_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    encoderCreation_ = CoCreateInstance(CLSID_AudioFile, nullptr, CLSCTX_ALL, IID_PPV_ARGS(audioFile_.put()));
    if (FAILED(encoderCreation_)) {
        log_.line("AudioFile create instance error!");
        return false;
    }
    encoderCreation_ =
        CoCreateInstance(CLSID_AudioFileLameMp3Encoder, nullptr, CLSCTX_ALL, IID_PPV_ARGS(lameEncoder_.put()));
    if (FAILED(encoderCreation_)) {
        log_.line("AudioFileLameMp3Encoder create instance error!");
        return false;
    }
    return true;
}

bool AudioCDRipper::prepareEncoderObjects() {
    pendingFormats_.setAll();
    if (!audioFile_ || !lameEncoder_) return false;
    return SUCCEEDED(lameEncoder_->put_EncoderQuality(kDefaultEncoderQuality)) &&
           SUCCEEDED(audioFile_->SetMp3Encoder(lameEncoder_.get()));
}

void AudioCDRipper::releaseEncoderObjects() {
    audioFile_.reset();
    lameEncoder_.reset();
    log_.line("Unload AudioFile");
    if (encoderApartment_) CoUninitialize();
    encoderApartment_ = false;
    log_.line("Unload AudioFile");
}

HRESULT AudioCDRipper::setDefaultFormatIfPending(OutputFormat format) {
    if (!audioFile_) return E_POINTER;
    if (!pendingFormats_.pending(format)) return S_OK;
    switch (format) {
    case OutputFormat::Mp3:
        return setMp3Format(audioFile_.get(), kDefaultMp3Format);
    case OutputFormat::Wma:
        // As SetFormatWMA with its default profile: WMA is then set up.
        RETURN_IF_FAILED(setWmaProfile(audioFile_.get(), kDefaultWmaProfile));
        pendingFormats_.clear(OutputFormat::Wma);
        return S_OK;
    case OutputFormat::Ogg:
        return setOggFormat(audioFile_.get(), kDefaultOggFormat);
    }
    return E_INVALIDARG;
}

STDMETHODIMP AudioCDRipper::IsAvailableFormatOGG(RipFrequencyConstants frq, RipChannelsConstants chnl,
                                                 RipBitrateConstants nominalBitRate, RipBitrateConstants minBitRate,
                                                 RipBitrateConstants maxBitRate, LONG Quality, VARIANT_BOOL* pVal) {
    if (!pVal) return E_POINTER;
    return formatMember([&]() -> Raised {
        const OggFormat f = CheckedOggFormat(frq, chnl, nominalBitRate, minBitRate, maxBitRate, Quality);
        return outcome(
            audioFile_->IsOggFormatAvailable(f.frequency, f.channels, f.nominalBitrate, f.minBitrate, f.maxBitrate, pVal));
    });
}

STDMETHODIMP AudioCDRipper::IsAvailableFormatMP3(RipFrequencyConstants frq, RipBitrateConstants Bitrate,
                                                 RipChannelsConstants chnl, VARIANT_BOOL* pVal) {
    if (!pVal) return E_POINTER;
    return formatMember([&]() -> Raised {
        const Mp3Format f = CheckedMp3Format(frq, Bitrate, chnl);
        return outcome(audioFile_->IsMp3FormatAvailable(f.frequency, f.bitrate, f.channels, pVal));
    });
}

STDMETHODIMP AudioCDRipper::SetFormatMP3(RipFrequencyConstants frq, RipBitrateConstants Bitrate,
                                         RipChannelsConstants chnl) {
    return formatMember([&]() -> Raised {
        if (FAILED(setMp3Format(audioFile_.get(), CheckedMp3Format(frq, Bitrate, chnl)))) return OPERATION_FAILED;
        pendingFormats_.clear(OutputFormat::Mp3);
        return std::nullopt;
    });
}

// The client's settings go to the encoder through the checks, the encoder goes to the AudioFile
// object, and what the encoder took comes back to the client's object. The client keeps its
// object: it is used for this call only.
STDMETHODIMP AudioCDRipper::SetFormatMP3Ex(IAudioCDRipperLameMP3Encoder* LameFormat) {
    return formatMember([&]() -> Raised {
        com::ptr<IAudioCDRipperLameMP3Encoder> settings;
        if (!LameFormat || FAILED(LameFormat->QueryInterface(IID_IAudioCDRipperLameMP3Encoder, settings.put_void()))) {
            return INVALID_PARAM;
        }
        if (FAILED(CopyLameSettings(settings.get(), lameEncoder_.get())) ||
            FAILED(audioFile_->SetMp3Encoder(lameEncoder_.get())) ||
            FAILED(CopyLameSettings(lameEncoder_.get(), settings.get()))) {
            return OPERATION_FAILED;
        }
        pendingFormats_.clear(OutputFormat::Mp3);
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::SetFormatWMA(LONG Profile) {
    return formatMember([&]() -> Raised {
        if (FAILED(setWmaProfile(audioFile_.get(), Profile))) return OPERATION_FAILED;
        pendingFormats_.clear(OutputFormat::Wma);
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::SetFormatOGG(RipFrequencyConstants frq, RipChannelsConstants chnl,
                                         RipBitrateConstants nominalBitRate, RipBitrateConstants minBitRate,
                                         RipBitrateConstants maxBitRate, LONG Quality) {
    return formatMember([&]() -> Raised {
        const OggFormat format = CheckedOggFormat(frq, chnl, nominalBitRate, minBitRate, maxBitRate, Quality);
        if (FAILED(setOggFormat(audioFile_.get(), format))) return OPERATION_FAILED;
        pendingFormats_.clear(OutputFormat::Ogg);
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_trackFormatString(BSTR* pVal) {
    if (!pVal) return E_POINTER;
    return formatMember([&]() -> Raised {
        com::bstr text;
        if (FAILED(audioFile_->GetFormatString(text.put()))) return OPERATION_FAILED;
        *pVal = text.detach();
        return std::nullopt;
    });
}
