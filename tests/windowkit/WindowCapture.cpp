#include "WindowCapture.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "Handles.h"
#include "WaitUntil.h"

namespace testkit {

namespace {

std::uint32_t Crc32(const std::uint8_t* data, size_t size, std::uint32_t crc = 0) {
  static const auto table = [] {
    std::vector<std::uint32_t> t(256);
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char type[4], const std::vector<std::uint8_t>& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, Crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored (uncompressed) blocks: no compressor needed, any viewer reads it.
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw) {
  std::vector<std::uint8_t> out{0x78, 0x01};
  size_t pos = 0;
  do {
    const size_t n = std::min<size_t>(raw.size() - pos, 65535);
    out.push_back(pos + n == raw.size() ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(n));
    out.push_back(static_cast<std::uint8_t>(n >> 8));
    out.push_back(static_cast<std::uint8_t>(~n));
    out.push_back(static_cast<std::uint8_t>(~n >> 8));
    out.insert(out.end(), raw.begin() + pos, raw.begin() + pos + n);
    pos += n;
  } while (pos < raw.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBigEndian(out, (b << 16) | a);
  return out;
}

std::vector<std::uint8_t> EncodePng(const ui::TBitmap& picture) {
  const int w = picture.Width(), h = picture.Height();
  std::vector<std::uint8_t> raw;
  raw.reserve(static_cast<size_t>(h) * (1 + 3 * w));
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);  // no filter
    const std::uint32_t* row = picture.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      raw.push_back(static_cast<std::uint8_t>(row[x] >> 16));
      raw.push_back(static_cast<std::uint8_t>(row[x] >> 8));
      raw.push_back(static_cast<std::uint8_t>(row[x]));
    }
  }
  std::vector<std::uint8_t> header;
  PutBigEndian(header, static_cast<std::uint32_t>(w));
  PutBigEndian(header, static_cast<std::uint32_t>(h));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", StoredZlib(raw));
  PutChunk(png, "IEND", {});
  return png;
}

int ChannelDistance(std::uint32_t a, std::uint32_t b) {
  int worst = 0;
  for (int shift = 0; shift < 24; shift += 8)
    worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
  return worst;
}

}  // namespace

std::unique_ptr<ui::TBitmap> CaptureWindow(ui::TWinControl& control) {
  HWND window = control.Handle();
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpFor(20);
  RECT bounds;
  GetWindowRect(window, &bounds);
  auto picture = std::make_unique<ui::TBitmap>(bounds.right - bounds.left, bounds.bottom - bounds.top);
  com::window_dc dc = com::window_dc::whole(window);
  if (!dc || !BitBlt(picture->MemoryDc(), 0, 0, picture->Width(), picture->Height(), dc.get(), 0, 0, SRCCOPY))
    throw std::runtime_error("Cannot copy the window's picture");
  return picture;
}

std::string SavePicture(const ui::TBitmap& picture, const std::string& name) {
  const std::string folder = TALVO_CAPTURE_DIR;
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string path = folder + "/" + name + ".png";
  const std::vector<std::uint8_t> png = EncodePng(picture);
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  if (!file) throw std::runtime_error("Cannot write " + path);
  return path;
}

std::unique_ptr<ui::TBitmap> CaptureAndSave(ui::TWinControl& control, const std::string& name) {
  auto picture = CaptureWindow(control);
  SavePicture(*picture, name);
  return picture;
}

PictureDifference ComparePictures(const ui::TBitmap& actual, const ui::TBitmap& expected, int tolerance) {
  PictureDifference result;
  result.sameSize = actual.Width() == expected.Width() && actual.Height() == expected.Height();
  if (!result.sameSize) return result;
  for (int y = 0; y < actual.Height(); ++y) {
    const std::uint32_t* a = actual.ScanLine(y);
    const std::uint32_t* e = expected.ScanLine(y);
    for (int x = 0; x < actual.Width(); ++x) {
      const int d = ChannelDistance(a[x], e[x]);
      result.worst = std::max(result.worst, d);
      if (d > tolerance) ++result.differing;
    }
  }
  return result;
}

bool PicturesMatch(const ui::TBitmap& actual, const ui::TBitmap& expected, int tolerance, int allowedPixels) {
  const PictureDifference d = ComparePictures(actual, expected, tolerance);
  return d.sameSize && d.differing <= allowedPixels;
}

bool ColorNear(ui::TColor actual, ui::TColor expected, int tolerance) {
  return ChannelDistance(ui::ColorToRGB(actual), ui::ColorToRGB(expected)) <= tolerance;
}

}  // namespace testkit
