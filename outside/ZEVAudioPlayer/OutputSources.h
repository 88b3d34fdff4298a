// The player's sources: one per wave-out device the system has now, or, where it has none,
// the one silent output (NullOutput), so a machine without sound still plays in time.
#pragma once

#include "outside/ZEVAudioPlayer/Output.h"

#include <memory>

namespace player {

int sourceCount();
// Whether source opens with the format (the silent one always does).
bool sourceUsable(int source, const Format& format);
HRESULT openSource(int source, const Format& format, std::unique_ptr<Output>& out);

}  // namespace player
