#include "JpegPicture.h"

#include <windows.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace app {

namespace {

// libjpeg ends the process on an error unless the handler leaves: it jumps back to the decode,
// which reports the picture as unreadable.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf resume;
};

[[noreturn]] void LeaveDecode(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->resume, 1);
}

// Only plain data lives between the jump point and the jumps, so leaving skips no destructor.
bool DecodeRows(const unsigned char* data, unsigned long size, std::vector<unsigned char>& rgb, int& width,
                int& height) {
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = LeaveDecode;
  errors.base.output_message = [](j_common_ptr) {};  // warnings are not for the user
  if (setjmp(errors.resume)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, size);
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  width = static_cast<int>(info.output_width);
  height = static_cast<int>(info.output_height);
  rgb.resize(static_cast<std::size_t>(width) * height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = rgb.data() + static_cast<std::size_t>(info.output_scanline) * width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

bool DecodeJpeg(const void* data, std::size_t size, ui::TBitmap& bitmap) {
  std::vector<unsigned char> rgb;
  int width = 0, height = 0;
  if (!data || size == 0 ||
      !DecodeRows(static_cast<const unsigned char*>(data), static_cast<unsigned long>(size), rgb, width, height))
    return false;
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint32_t* line = bitmap.ScanLine(y);
    const unsigned char* source = rgb.data() + static_cast<std::size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x, source += 3)
      line[x] = (std::uint32_t{source[0]} << 16) | (std::uint32_t{source[1]} << 8) | source[2];
  }
  return true;
}

bool LoadJpegResource(const char* name, ui::TBitmap& bitmap) {
  HRSRC resource = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  return DecodeJpeg(data, resource ? SizeofResource(nullptr, resource) : 0, bitmap);
}

}  // namespace app
