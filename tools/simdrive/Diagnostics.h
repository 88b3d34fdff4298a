// Problems of the simulated host (a bad configuration, an unwritable log) go to the standard
// error stream, where tests and the run command show them, and to the debugger.
#pragma once

#include <string>

namespace simdrive {

void ReportProblem(const std::string& message);

}  // namespace simdrive
