// The class table of the ZEVAudioDisplay server: what DllGetClassObject serves and what
// DllRegisterServer writes. MiscStatus 131473: recompose on resize, can't link inside,
// inside-out, activate when visible, set client site first.
#include "com/Module.h"
#include "display/ZEVDisplay.h"

namespace {

const com::ClassEntry kClasses[] = {
    {CLSID_ZEVAudioDisplay, &com::create<ZEVDisplay>,
     {.progId = L"ZEVAudioDisplay.ZEVDisplay.1",
      .versionIndependentProgId = L"ZEVAudioDisplay.ZEVDisplay",
      .description = L"ZEVDisplay Class",
      .threadingModel = L"Apartment",
      .version = true,
      .control = true,
      .insertable = true,
      .toolboxBitmap = 101,
      .miscStatus = L"131473"}},
};

}  // namespace

const com::Server com::server{kClasses};
