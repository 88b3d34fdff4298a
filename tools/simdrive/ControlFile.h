// The runtime control file: lines "adapter:target:lun = DISC" (or "= none") put a disc into a
// drive or take it out while a program runs. The file is looked at before every command and
// its lines that changed since the last look are applied.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "SimConfig.h"

namespace simdrive {

struct ControlLine {
  Address address;
  std::string disc;  // empty: no disc
};

class ControlFile {
 public:
  explicit ControlFile(std::string path);

  // The lines whose value changed since the last call (all lines on the first look).
  std::vector<ControlLine> TakeChanges();

 private:
  std::string path_;
  FILETIME written_{};
  ULONGLONG size_ = ~0ULL;
  std::map<Address, std::string> applied_;
};

}  // namespace simdrive
