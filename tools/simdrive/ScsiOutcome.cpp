#include "ScsiOutcome.h"

#include <algorithm>
#include <cstring>

namespace simdrive {

ScsiOutcome Transfer(const std::vector<std::uint8_t>& reply, std::uint32_t allocation, std::uint8_t* buffer,
                     std::uint32_t capacity) {
  if (allocation > capacity) return ScsiOutcome::Overrun();
  const auto bytes = static_cast<std::uint32_t>(std::min<std::size_t>(reply.size(), allocation));
  if (bytes > 0) std::memcpy(buffer, reply.data(), bytes);
  return ScsiOutcome::Good(bytes);
}

std::uint32_t BigEndian(const std::uint8_t* bytes, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[i];
  return value;
}

}  // namespace simdrive
