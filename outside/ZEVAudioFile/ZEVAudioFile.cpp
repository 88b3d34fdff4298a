// The class table of the ZEVAudioFile server: what DllGetClassObject serves and what
// DllRegisterServer writes.
#include "com/Module.h"
#include "outside/ZEVAudioFile/AudioFile.h"
#include "outside/ZEVAudioFile/AudioFileControl.h"
#include "outside/ZEVAudioFile/AudioFileLameMp3Encoder.h"

namespace {

const com::ClassEntry kClasses[] = {
    {CLSID_AudioFile, &com::create<AudioFile>,
     {COM_CLASS_NAMES("ZEVAudioFile", "AudioFile"),
      .threadingModel = L"Both"}},
    {CLSID_AudioFileLameMp3Encoder, &com::create<AudioFileLameMp3Encoder>,
     {COM_CLASS_NAMES("ZEVAudioFile", "AudioFileLameMp3Encoder"),
      .threadingModel = L"Both"}},
    {CLSID_AudioFileControl, &com::create<AudioFileControl>,
     {COM_CLASS_NAMES("ZEVAudioFile", "AudioFileControl"),
      .threadingModel = L"Apartment"}},
};

}  // namespace

const com::Server com::server{kClasses};
