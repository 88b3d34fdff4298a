// The optional log of every request the host receives, one line each, appended to a file
// that tests read back to check exact command bytes.
#pragma once

#include <string>

#include "com/Handles.h"

namespace simdrive {

class CommandLog {
 public:
  explicit CommandLog(const std::string& path);  // reports a file it cannot open
  void Write(const std::string& line);

 private:
  com::unique_file file_;
};

}  // namespace simdrive
