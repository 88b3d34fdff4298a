// The class table of the ZEVAudioDisplay server: what DllGetClassObject serves and what
// DllRegisterServer writes. MiscStatus 131473: recompose on resize, can't link inside,
// inside-out, activate when visible, set client site first.
#include "com/Module.h"
#include "display/ZEVDisplay.h"

namespace {

const com::ClassEntry kClasses[] = {
    {CLSID_ZEVAudioDisplay, &com::create<ZEVDisplay>,
     {COM_CONTROL_NAMES("ZEVAudioDisplay", "ZEVDisplay"),
      .insertable = true,
      .toolboxBitmap = 101,
      .miscStatus = L"131473"}},
};

}  // namespace

const com::Server com::server{kClasses};
