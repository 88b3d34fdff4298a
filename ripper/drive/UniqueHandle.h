// One owner for one handle: closes it when replaced or destroyed. The traits give the handle
// type, its "nothing" value and how it is closed.
#pragma once

#include <utility>

namespace drive {

template <typename Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() = default;
  explicit UniqueHandle(Type handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Type get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::invalid(); }

  void reset(Type handle = Traits::invalid()) {
    Type old = std::exchange(handle_, handle);
    if (old != Traits::invalid()) Traits::close(old);
  }
  Type release() { return std::exchange(handle_, Traits::invalid()); }

 private:
  Type handle_ = Traits::invalid();
};

}  // namespace drive
