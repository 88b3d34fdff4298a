#include "BmpPicture.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace app {

bool LoadBmpResource(const char* name, ui::TBitmap& bitmap) {
  HRSRC found = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  const auto* data = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
  const DWORD size = found ? SizeofResource(nullptr, found) : 0;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  if (!data || size < sizeof file + sizeof info) return false;
  std::memcpy(&file, data, sizeof file);
  std::memcpy(&info, data + sizeof file, sizeof info);
  const long width = info.biWidth, height = info.biHeight < 0 ? -info.biHeight : info.biHeight;
  const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * info.biBitCount + 31) / 32) * 4;
  if (file.bfType != 0x4D42 || info.biCompression != BI_RGB || (info.biBitCount != 24 && info.biBitCount != 32) ||
      width <= 0 || height <= 0 || file.bfOffBits > size || stride * height > size - file.bfOffBits)
    return false;
  bitmap.SetSize(width, height);
  BITMAPINFO header{};
  header.bmiHeader = info;
  return SetDIBitsToDevice(bitmap.MemoryDc(), 0, 0, width, height, 0, 0, 0, height, data + file.bfOffBits, &header,
                           DIB_RGB_COLORS) == height;
}

}  // namespace app
