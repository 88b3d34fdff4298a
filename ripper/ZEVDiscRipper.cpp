// The class table of the ZEVDiscRipper server: what DllGetClassObject serves and what
// DllRegisterServer writes. The class names in the ProgIDs and the description are spelled
// "AudioCDRiperLameMP3Encoder" (one p) as clients have always used them.
#include "com/Module.h"
#include "ripper/AudioCDRipper.h"
#include "ripper/AudioCDRipperLameMP3Encoder.h"

namespace {

const com::ClassEntry kClasses[] = {
    {CLSID_AudioCDRipper, &com::create<AudioCDRipper>,
     {COM_CLASS_NAMES("ZEVDiscRipper", "AudioCDRipper"),
      .threadingModel = L"Both"}},
    {CLSID_AudioCDRipperLameMP3Encoder, &com::create<AudioCDRipperLameMP3Encoder>,
     {COM_CLASS_NAMES("ZEVDiscRipper", "AudioCDRiperLameMP3Encoder"),
      .threadingModel = L"Apartment"}},
};

}  // namespace

const com::Server com::server{kClasses};
