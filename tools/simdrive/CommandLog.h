// The optional log of every request the host receives, one line each, appended to a file
// that tests read back to check exact command bytes.
#pragma once

#include <string>

#include "OwnedHandles.h"

namespace simdrive {

class CommandLog {
 public:
  explicit CommandLog(const std::string& path);  // reports a file it cannot open
  void Write(const std::string& line);

 private:
  UniqueFile file_;
};

}  // namespace simdrive
