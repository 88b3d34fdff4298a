// What a simulated drive answers to one command: good status with the bytes it moved, a
// check condition with sense data, or a transfer larger than the caller's buffer.
#pragma once

#include <cstdint>
#include <vector>

namespace simdrive {

struct Sense {
  std::uint8_t key = 0;
  std::uint8_t asc = 0;
  std::uint8_t ascq = 0;
};

// The sense codes the drives use.
namespace sense {
constexpr Sense kNotReadyBecoming{0x02, 0x04, 0x01};
constexpr Sense kNoMediumTrayClosed{0x02, 0x3A, 0x01};
constexpr Sense kNoMediumTrayOpen{0x02, 0x3A, 0x02};
constexpr Sense kUnrecoveredRead{0x03, 0x11, 0x00};
constexpr Sense kInvalidOpcode{0x05, 0x20, 0x00};
constexpr Sense kLbaOutOfRange{0x05, 0x21, 0x00};
constexpr Sense kInvalidField{0x05, 0x24, 0x00};
constexpr Sense kInvalidParameter{0x05, 0x26, 0x00};
constexpr Sense kRemovalPrevented{0x05, 0x53, 0x02};
constexpr Sense kIllegalModeForTrack{0x05, 0x64, 0x00};
}  // namespace sense

struct ScsiOutcome {
  bool good = true;
  bool overrun = false;  // the command needed more bytes than the caller's buffer holds
  Sense sense;
  std::uint32_t transferred = 0;

  static ScsiOutcome Good(std::uint32_t transferred = 0) { return {true, false, {}, transferred}; }
  static ScsiOutcome Check(Sense sense) { return {false, false, sense, 0}; }
  static ScsiOutcome Overrun() { return {false, true, {}, 0}; }
};

// Moves a reply of `reply` bytes into the caller's buffer, cut to the command's allocation
// length; an allocation length beyond the buffer is refused before anything is written.
ScsiOutcome Transfer(const std::vector<std::uint8_t>& reply, std::uint32_t allocation, std::uint8_t* buffer,
                     std::uint32_t capacity);

std::uint32_t BigEndian(const std::uint8_t* bytes, int count);

}  // namespace simdrive
