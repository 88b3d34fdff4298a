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

std::uint32_t DiscIdOfText(const char* idText) {
  return static_cast<std::uint32_t>(std::strtoul(idText, nullptr, 16));
}

void RememberDiscId(std::uint32_t key, std::uint32_t id, int tracks) {
  std::lock_guard<std::mutex> hold(ringLock);
  ring[nextSlot] = RingEntry{true, key, id, tracks};
  nextSlot = (nextSlot + 1) % kRingSize;
}

bool FindDiscId(const char* idText, std::uint32_t* key, int* tracks) {
  if (idText == nullptr) return false;
  const std::uint32_t id = DiscIdOfText(idText);
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
