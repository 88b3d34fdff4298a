// The outside encoder objects (ZEVAudioFile's AudioFile and AudioFileLameMp3Encoder) and the
// output formats set up on them.
#include "ripper/AudioCDRipper.h"

namespace {

// The quality DriverOpen gives the MP3 encoder before any format is set.
constexpr short kDefaultEncoderQuality = 8;

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

void AudioCDRipper::prepareEncoderObjects() {
    mp3FormatPending_ = true;
    wmaFormatPending_ = true;
    oggFormatPending_ = true;
    if (!audioFile_ || !lameEncoder_) return;
    lameEncoder_->put_EncoderQuality(kDefaultEncoderQuality);
    audioFile_->SetMp3Encoder(lameEncoder_.get());
}

void AudioCDRipper::releaseEncoderObjects() {
    audioFile_.reset();
    lameEncoder_.reset();
    log_.line("Unload AudioFile");
    if (encoderApartment_) CoUninitialize();
    encoderApartment_ = false;
    log_.line("Unload AudioFile");
}

// The output formats are not built yet.
STDMETHODIMP AudioCDRipper::IsAvailableFormatOGG(RipFrequencyConstants, RipChannelsConstants, RipBitrateConstants,
                                                 RipBitrateConstants, RipBitrateConstants, LONG, VARIANT_BOOL*) {
    return E_NOTIMPL;
}
STDMETHODIMP AudioCDRipper::IsAvailableFormatMP3(RipFrequencyConstants, RipBitrateConstants, RipChannelsConstants,
                                                 VARIANT_BOOL*) {
    return E_NOTIMPL;
}
STDMETHODIMP AudioCDRipper::SetFormatMP3(RipFrequencyConstants, RipBitrateConstants, RipChannelsConstants) {
    return E_NOTIMPL;
}
STDMETHODIMP AudioCDRipper::SetFormatMP3Ex(IAudioCDRipperLameMP3Encoder*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::SetFormatWMA(LONG) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::SetFormatOGG(RipFrequencyConstants, RipChannelsConstants, RipBitrateConstants,
                                         RipBitrateConstants, RipBitrateConstants, LONG) {
    return E_NOTIMPL;
}
STDMETHODIMP AudioCDRipper::get_trackFormatString(BSTR*) { return E_NOTIMPL; }
