// The fixture of the media-check tests: a simulated drive whose disc the test pulls and puts
// back, and waits for what the media-check thread does about it.
#pragma once

#include "RipperTest.h"

// Long enough for a removal to be noticed and its twenty TOC tries to fail (about 3 s).
constexpr DWORD kRemovalSettles = 3500;
// How long a test waits at most for an event that is due.
constexpr DWORD kEventDue = 10000;

class MediaCheckTest : public RipperTest {
protected:
    // The sinks saw `n` MediaChange events.
    bool WaitForMediaChanges(int n, DWORD timeoutMs = kEventDue) {
        return ripper_->pumpUntil([&] { return ripper_->count(kMediaChangeEvent) >= n; }, timeoutMs);
    }
    // A TEST UNIT READY answered "no disc" since Mark().
    bool SawNotReady() {
        for (const std::string& command : Commands()) {
            if (command.find("cdb=00 ") != std::string::npos && command.find("status=04") != std::string::npos)
                return true;
        }
        return false;
    }
};
