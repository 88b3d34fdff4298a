// Registration of the component libraries the application uses, from the Windows system
// directory where they are installed, at every start.
#pragma once

#include <array>
#include <string>

namespace app {

// In the order they are registered.
inline constexpr std::array<const char*, 6> kComponentLibraries{
    "ZEVAudioDesign.dll", "ZEVAudioDisplay.dll", "ZEVAudioFile.dll",
    "ZEVAudioInformation.dll", "ZEVAudioPlayer.dll", "ZEVDiscRipper.dll"};

// Loads the library, calls its DllRegisterServer (mode 1) or DllUnregisterServer (any other
// mode) and frees it again; true only when the call answered a success. A library that does
// not load or lacks the entry point gives false.
bool RegisterComponentLibrary(const std::string& path, unsigned char mode);

// The Windows system directory, without a trailing backslash; empty when the system does not
// answer.
std::string GetSystemFolder();

// Registers each of the component libraries found in folder (ending in a backslash), in order,
// going on past any that is missing or fails: the components may be registered already.
void RegisterComponentLibraries(const std::string& folder);

}  // namespace app
