// A Windows file opened for reading or for writing, closed when the object goes. Writes are
// all-or-nothing: a short write (full disk, broken pipe) counts as a failure.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace audiofile {

class File {
 public:
  File() = default;
  File(File&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  File& operator=(File&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File() { close(); }

  // Creates or truncates path for writing; on failure the result is closed and error holds
  // the Windows error code.
  static File create(const std::wstring& path, DWORD& error);
  // Opens an existing file for reading; others may read it at the same time.
  static File openForReading(const std::wstring& path, DWORD& error);
  // Opens an existing file for reading and writing in place; others may read it meanwhile, and
  // none may be writing it. A read-only file is refused, as create refuses to replace one.
  static File openForUpdate(const std::wstring& path, DWORD& error);

  explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }

  bool write(const void* data, size_t bytes);
  // Bytes read, 0 at the end of the file or on an error.
  size_t read(void* data, size_t bytes);
  // Moves to offset from origin (FILE_BEGIN, FILE_CURRENT, FILE_END); -1 on failure.
  int64_t seek(int64_t offset, DWORD origin);
  int64_t size() const;
  // Closes the handle; false when the system reported an error while closing.
  bool close();

 private:
  explicit File(HANDLE handle) : handle_(handle) {}
  // The file of a CreateFileW result; error holds the system's error when it failed.
  static File adopt(HANDLE handle, DWORD& error);

  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace audiofile
