#include "DiscIdRing.h"

#include <cstdlib>
#include <mutex>

namespace cddb {
namespace {

constexpr int kRingSize = 20;

struct RingEntry {
  bool used;
  std::uint32_t key;
  std::uint32_t id;
  int tracks;
};

std::mutex ringLock;
RingEntry ring[kRingSize];
int nextSlot = 0;

}  // namespace

void RememberDiscId(std::uint32_t key, std::uint32_t id, int tracks) {
  std::lock_guard<std::mutex> hold(ringLock);
  ring[nextSlot] = RingEntry{true, key, id, tracks};
  nextSlot = (nextSlot + 1) % kRingSize;
}

bool FindDiscId(const char* idText, std::uint32_t* key, int* tracks) {
  if (idText == nullptr) return false;
  const auto id = static_cast<std::uint32_t>(std::strtoul(idText, nullptr, 16));
  std::lock_guard<std::mutex> hold(ringLock);
  for (const RingEntry& entry : ring) {
    if (entry.used && entry.id == id) {
      if (key != nullptr) *key = entry.key;
      if (tracks != nullptr) *tracks = entry.tracks;
      return true;
    }
  }
  return false;
}

}  // namespace cddb
