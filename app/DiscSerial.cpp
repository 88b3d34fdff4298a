#include "DiscSerial.h"

#include <windows.h>

#include <cstdio>

namespace app {

namespace {

// Keeps the system from asking the user to insert a disc while it lives: an empty drive is an
// answer here, not a fault.
class NoCriticalErrorBoxes {
 public:
  NoCriticalErrorBoxes() { SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_); }
  NoCriticalErrorBoxes(const NoCriticalErrorBoxes&) = delete;
  NoCriticalErrorBoxes& operator=(const NoCriticalErrorBoxes&) = delete;
  ~NoCriticalErrorBoxes() { SetThreadErrorMode(old_, nullptr); }

 private:
  DWORD old_ = 0;
};

}  // namespace

std::string ReadVolumeSerial(const std::string& driveLetter) {
  if (driveLetter.empty()) return {};
  const std::string root = driveLetter + "\\";
  NoCriticalErrorBoxes quiet;
  DWORD serial = 0;
  if (!GetVolumeInformationA(root.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) return {};
  char text[9];
  std::snprintf(text, sizeof text, "%04X%04X", static_cast<unsigned>(HIWORD(serial)),
                static_cast<unsigned>(LOWORD(serial)));
  return text;
}

}  // namespace app
