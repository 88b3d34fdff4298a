#include "JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace ui {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back
// to the decoder with the library's message.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf back;
  char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  info->err->format_message(info, errors->message);
  std::longjmp(errors->back, 1);
}

// Decodes into rows of 0x00RRGGBB pixels; false with the library's message on a bad picture.
// Only plain data lives in this frame, so the jump out of libjpeg skips no destructor.
bool Decode(const unsigned char* data, unsigned long size, std::vector<std::uint32_t>& pixels,
            int& width, int& height, std::string& error) {
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = &ErrorExit;
  // Warnings (a corrupt stretch that the decoder got past) are not fatal: the picture shows.
  errors.base.emit_message = [](j_common_ptr, int) {};
  if (setjmp(errors.back)) {
    jpeg_destroy_decompress(&info);
    error = errors.message;
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, size);
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&info);
  width = static_cast<int>(info.output_width);
  height = static_cast<int>(info.output_height);
  pixels.resize(static_cast<size_t>(width) * height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = reinterpret_cast<JSAMPROW>(pixels.data() + static_cast<size_t>(info.output_scanline) * width);
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

void TJPEGImage::LoadFromMemory(const void* data, std::size_t size) {
  if (!data || size == 0) throw std::runtime_error("JPEG error: no picture data");
  std::vector<std::uint32_t> pixels;
  int width = 0, height = 0;
  std::string error;
  if (!Decode(static_cast<const unsigned char*>(data), static_cast<unsigned long>(size), pixels, width,
              height, error))
    throw std::runtime_error("JPEG error: " + error);
  bitmap_.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint32_t* row = bitmap_.ScanLine(y);
    for (int x = 0; x < width; ++x) row[x] = pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF;
  }
  Changed();
}

void TJPEGImage::LoadFromFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) throw std::runtime_error("Cannot open " + fileName);
  const std::vector<char> data{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  try {
    LoadFromMemory(data.data(), data.size());
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(fileName + ": " + e.what());
  }
}

void TJPEGImage::LoadFromResourceName(HINSTANCE module, const char* name) {
  if (!module) module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw std::runtime_error(std::string("No picture resource ") + name);
  LoadFromMemory(data, SizeofResource(module, found));
}

void TJPEGImage::Draw(TCanvas& canvas, const RECT& rect) const {
  bitmap_.SetTransparent(Transparent());
  bitmap_.Draw(canvas, rect);
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
  auto copy = std::make_unique<TJPEGImage>();
  copy->bitmap_.Assign(bitmap_);
  copy->SetTransparent(Transparent());
  return copy;
}

}  // namespace ui
