// Letting the program run while a test waits: messages are handled as they come, as in the
// program's own loop.
#pragma once

#include <functional>

#include "Win32.h"

namespace testkit {

// Handles messages until the predicate holds (true) or the time is up (false). The predicate
// is asked after every round of messages, first right away.
bool WaitUntil(const std::function<bool()>& predicate, DWORD timeoutMs = 3000);

// Handles the messages of the next milliseconds.
void PumpFor(DWORD milliseconds);

}  // namespace testkit
