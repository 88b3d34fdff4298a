#include "WaitUntil.h"

#include <algorithm>

#include "Application.h"

namespace testkit {

bool WaitUntil(const std::function<bool()>& predicate, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    ui::Application().ProcessMessages();
    if (predicate()) return true;
    const DWORD waited = GetTickCount() - start;
    if (waited >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(timeoutMs - waited, 10), QS_ALLINPUT);
  }
}

void PumpFor(DWORD milliseconds) {
  WaitUntil([] { return false; }, milliseconds);
}

}  // namespace testkit
