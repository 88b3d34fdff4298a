// Delivers an execute request's status the way its drive completes: at once, a little later
// from another thread (the caller sees "pending" and waits on its event), or never.
#pragma once

#include <windows.h>

#include "AspiHost.h"

namespace simdrive {

// The value SendASPI32Command returns.
DWORD Deliver(const Delivery& delivery);

}  // namespace simdrive
