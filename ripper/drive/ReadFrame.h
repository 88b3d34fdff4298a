// Shared by the read functions, detection and jitter correction.
#pragma once

#include "AudioReads.h"

namespace drive {

// Whether the buffer can take the frames it asks for (at most 255, the CDB's count byte);
// records last error -6 when not.
bool BufferTakesFrames(const ReadBuffer* buffer);

}  // namespace drive
