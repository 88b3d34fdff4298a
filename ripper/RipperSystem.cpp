#include "ripper/RipperSystem.h"

#include <atomic>

namespace {

const RipperSystemCalls kReal{&GetDriveTypeA, &mciSendCommandA};
RipperSystemCalls installed = kReal;
// The table is switched by a test between uses, never while a call is under way; the atomic
// pointer keeps a reader from seeing half of an installation.
std::atomic<const RipperSystemCalls*> current{&kReal};

}  // namespace

const RipperSystemCalls& RipperSystem() { return *current.load(); }

void SetRipperSystemCalls(const RipperSystemCalls* calls) {
    if (!calls) {
        current = &kReal;
        return;
    }
    current = &kReal;
    installed = *calls;
    current = &installed;
}
