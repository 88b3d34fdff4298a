// The class table of the ZEVAudioPlayer server: what DllGetClassObject serves and what
// DllRegisterServer writes. MiscStatus 132497: invisible at run time, set client site first,
// activate when visible, inside-out, can't link inside, recompose on resize.
#include "com/Module.h"
#include "outside/ZEVAudioPlayer/AudioPlayer.h"

namespace {

const com::ClassEntry kClasses[] = {
    {CLSID_AudioPlayer, &com::create<AudioPlayer>,
     {COM_CONTROL_NAMES("ZEVAudioPlayer", "AudioPlayer"),
      .miscStatus = L"132497"}},
};

}  // namespace

const com::Server com::server{kClasses};
