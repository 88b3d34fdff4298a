// The outside encoder objects (ZEVAudioFile's AudioFile and AudioFileLameMp3Encoder) and the
// output formats set up on them.
#include "ripper/AudioCDRipper.h"

namespace {

// {77829F14-D911-40FF-A2F0-D11DB8D6D0BC}
constexpr CLSID kAudioFile = {0x77829F14, 0xD911, 0x40FF, {0xA2, 0xF0, 0xD1, 0x1D, 0xB8, 0xD6, 0xD0, 0xBC}};
// {35B8892D-C3FB-4D88-990D-31DB2EBD72BD}
constexpr CLSID kAudioFileLameMp3Encoder = {0x35B8892D, 0xC3FB, 0x4D88, {0x99, 0x0D, 0x31, 0xDB, 0x2E, 0xBD, 0x72, 0xBD}};

}  // namespace

bool AudioCDRipper::createEncoderObjects() {
    if (!encoderApartment_) encoderApartment_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    encoderCreation_ = CoCreateInstance(kAudioFile, nullptr, CLSCTX_ALL, IID_PPV_ARGS(audioFile_.put()));
    if (FAILED(encoderCreation_)) {
        log_.line("AudioFile create instance error!");
        return false;
    }
    encoderCreation_ =
        CoCreateInstance(kAudioFileLameMp3Encoder, nullptr, CLSCTX_ALL, IID_PPV_ARGS(lameEncoder_.put()));
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
