// The class table of the ZEVAudioDesign server: what DllGetClassObject serves and what
// DllRegisterServer writes. MiscStatus 131473: recompose on resize, can't link inside,
// inside-out, activate when visible, set client site first.
#include "com/Module.h"
#include "outside/ZEVAudioDesign/ZEVEqualizer.h"

namespace {

const com::ClassEntry kClasses[] = {
    {CLSID_ZEVEqualizer, &com::create<ZEVEqualizer>,
     {COM_CONTROL_NAMES("ZEVAudioDesign", "ZEVEqualizer"),
      .miscStatus = L"131473"}},
};

}  // namespace

const com::Server com::server{kClasses};
