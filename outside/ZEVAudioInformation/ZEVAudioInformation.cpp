// The class table of the ZEVAudioInformation server: what DllGetClassObject serves and what
// DllRegisterServer writes.
#include "com/Module.h"
#include "outside/ZEVAudioInformation/AudioInformation.h"

namespace {

const com::ClassEntry kClasses[] = {
    {CLSID_AudioInformation, &com::create<AudioInformation>,
     {COM_CLASS_NAMES("ZEVAudioInformation", "AudioInformation"),
      .threadingModel = L"Apartment"}},
};

}  // namespace

const com::Server com::server{kClasses};
