// The runtime control file: lines "adapter:target:lun = DISC" (or "= none") put a disc into a
// drive or take it out while a program runs, and lines "adapter:target:lun gone = N" take the
// drive off the host for its next N opens. The file is looked at before every request to a
// drive and its lines that changed since the last look are applied.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "SimConfig.h"

namespace simdrive {

struct ControlLine {
  enum class Kind { kDisc, kGone };
  Kind kind = Kind::kDisc;
  Address address;
  std::string disc;  // kDisc: the disc put in; empty: no disc
  int goneOpens = 0; // kGone: how many of the drive's next opens find no drive
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
  std::map<std::pair<Address, ControlLine::Kind>, std::string> applied_;
};

}  // namespace simdrive
