#include "Completion.h"

#include <memory>

#include "com/Handles.h"

namespace simdrive {
namespace {

// Pending completions wait at least this long, so the caller is really left waiting.
constexpr DWORD kMinimumPendingMs = 5;

void Complete(const Delivery& delivery) {
  delivery.request->SRB_Status = delivery.status;
  if (delivery.event != nullptr) SetEvent(delivery.event);
}

DWORD WINAPI CompleteLater(void* parameter) {
  const std::unique_ptr<Delivery> delivery(static_cast<Delivery*>(parameter));
  Sleep(delivery->delayMs > kMinimumPendingMs ? delivery->delayMs : kMinimumPendingMs);
  Complete(*delivery);
  return 0;
}

}  // namespace

DWORD Deliver(const Delivery& delivery) {
  if (delivery.request == nullptr) return delivery.status;
  switch (delivery.completion) {
    case Completion::Never:
      delivery.request->SRB_Status = aspi::SS_PENDING;
      return aspi::SS_PENDING;
    case Completion::Pending: {
      delivery.request->SRB_Status = aspi::SS_PENDING;
      auto later = std::make_unique<Delivery>(delivery);
      // The host module is pinned, so this thread's code stays mapped after FreeLibrary.
      const com::unique_handle thread(CreateThread(nullptr, 0, CompleteLater, later.get(), 0, nullptr));
      if (thread) {
        later.release();
        return aspi::SS_PENDING;
      }
      break;  // no thread: complete here instead
    }
    case Completion::Sync:
      if (delivery.delayMs > 0) Sleep(delivery.delayMs);
      break;
  }
  Complete(delivery);
  return delivery.status;
}

}  // namespace simdrive
