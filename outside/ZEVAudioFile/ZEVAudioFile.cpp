// The class table of the ZEVAudioFile server: what DllGetClassObject serves and what
// DllRegisterServer writes.
#include "com/Module.h"
#include "outside/ZEVAudioFile/AudioFile.h"
#include "outside/ZEVAudioFile/AudioFileControl.h"
#include "outside/ZEVAudioFile/AudioFileLameMp3Encoder.h"

namespace {

const com::ClassEntry kClasses[] = {
    {CLSID_AudioFile, &com::create<AudioFile>,
     {.progId = L"ZEVAudioFile.AudioFile.1",
      .versionIndependentProgId = L"ZEVAudioFile.AudioFile",
      .description = L"AudioFile Class",
      .threadingModel = L"Both"}},
    {CLSID_AudioFileLameMp3Encoder, &com::create<AudioFileLameMp3Encoder>,
     {.progId = L"ZEVAudioFile.AudioFileLameMp3Encoder.1",
      .versionIndependentProgId = L"ZEVAudioFile.AudioFileLameMp3Encoder",
      .description = L"AudioFileLameMp3Encoder Class",
      .threadingModel = L"Both"}},
    {CLSID_AudioFileControl, &com::create<AudioFileControl>,
     {.progId = L"ZEVAudioFile.AudioFileControl.1",
      .versionIndependentProgId = L"ZEVAudioFile.AudioFileControl",
      .description = L"AudioFileControl Class",
      .threadingModel = L"Apartment"}},
};

}  // namespace

const com::Server com::server{kClasses};
