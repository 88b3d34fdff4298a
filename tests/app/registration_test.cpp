// Registering the component libraries from a folder: present, missing, and not a server.
#include "ComponentRegistration.h"

#include "ServerDll.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace app;

namespace {

std::string ProgramFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\') + 1);
}

std::string EmptyFolder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "talvo-noreg-" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

const wchar_t kAudioInformationClass[] = L"CLSID\\{34974D2F-8514-4832-8F70-E99100002361}";

}  // namespace

TEST(ComponentRegistration, RegistersAndUnregistersAServerByItsEntryPoints) {
  PrivateClassesRoot classes;
  ASSERT_TRUE(classes);
  const std::string server = ProgramFolder() + "ZEVAudioInformation.dll";
  EXPECT_TRUE(RegisterComponentLibrary(server, 1));
  EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, kAudioInformationClass));
  EXPECT_TRUE(RegisterComponentLibrary(server, 0));
  EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, kAudioInformationClass));
}

TEST(ComponentRegistration, MissingLibrariesAndLibrariesWithoutTheEntryGiveFalse) {
  EXPECT_FALSE(RegisterComponentLibrary(EmptyFolder() + "ZEVAudioPlayer.dll", 1));
  EXPECT_FALSE(RegisterComponentLibrary(ProgramFolder() + "WNASPI32.dll", 1));  // no DllRegisterServer
  // None of the six present: start-up goes on without a word.
  RegisterComponentLibraries(EmptyFolder());
}

TEST(ComponentRegistration, TheFolderPresentIsRegisteredAndTheMissingSkipped) {
  PrivateClassesRoot classes;
  ASSERT_TRUE(classes);
  RegisterComponentLibraries(ProgramFolder());  // the build has four of the six
  EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, kAudioInformationClass));
  EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, L"ZEVDiscRipper.AudioCDRipper"));
  EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, L"ZEVAudioDisplay.ZEVDisplay"));
}

TEST(ComponentRegistration, SystemFolderIsAFolderWithoutATrailingBackslash) {
  const std::string folder = GetSystemFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '\\');
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
