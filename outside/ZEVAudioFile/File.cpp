#include "outside/ZEVAudioFile/File.h"

#include <algorithm>

namespace audiofile {

namespace {

// Windows refuses to write a read-only file; so do we where the system would let an
// administrator (or Wine run as root) do it.
bool isReadOnly(const std::wstring& path, DWORD& error) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY)) return false;
  error = ERROR_ACCESS_DENIED;
  return true;
}

}  // namespace

File File::adopt(HANDLE handle, DWORD& error) {
  error = handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
  return File(handle);
}

File File::create(const std::wstring& path, DWORD& error) {
  if (isReadOnly(path, error)) return File();
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  return adopt(h, error);
}

File File::openForUpdate(const std::wstring& path, DWORD& error) {
  if (isReadOnly(path, error)) return File();
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  return adopt(h, error);
}

File File::openForReading(const std::wstring& path, DWORD& error) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  return adopt(h, error);
}

bool File::write(const void* data, size_t bytes) {
  const auto* p = static_cast<const char*>(data);
  while (bytes > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(handle_, p, chunk, &written, nullptr) || written == 0) return false;
    p += written;
    bytes -= written;
  }
  return true;
}

size_t File::read(void* data, size_t bytes) {
  DWORD got = 0;
  const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes, 1u << 30));
  if (!ReadFile(handle_, data, want, &got, nullptr)) return 0;
  return got;
}

int64_t File::seek(int64_t offset, DWORD origin) {
  LARGE_INTEGER distance, reached;
  distance.QuadPart = offset;
  if (!SetFilePointerEx(handle_, distance, &reached, origin)) return -1;
  return reached.QuadPart;
}

int64_t File::size() const {
  LARGE_INTEGER size;
  return GetFileSizeEx(handle_, &size) ? size.QuadPart : -1;
}

bool File::close() {
  if (handle_ == INVALID_HANDLE_VALUE) return true;
  return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE;
}

}  // namespace audiofile
