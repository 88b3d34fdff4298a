#include "ImageFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace skinart {

namespace {

class Bytes {
 public:
  void U8(unsigned v) { data_.push_back(static_cast<char>(v & 0xFF)); }
  void U16(unsigned v) { U8(v); U8(v >> 8); }
  void U32(std::uint32_t v) { U16(v & 0xFFFF); U16(v >> 16); }
  void Append(const Bytes& other) { data_.insert(data_.end(), other.data_.begin(), other.data_.end()); }
  size_t Size() const { return data_.size(); }
  bool Save(const std::string& path) const {
    std::ofstream file(path, std::ios::binary);
    file.write(data_.data(), static_cast<std::streamsize>(data_.size()));
    return static_cast<bool>(file);
  }

 private:
  std::vector<char> data_;
};

unsigned Channel(double v) { return static_cast<unsigned>(std::lround(std::clamp(v, 0.0, 255.0))); }

void BitmapInfoHeader(Bytes& out, int width, int height, int bits, std::uint32_t imageSize) {
  out.U32(40);
  out.U32(static_cast<std::uint32_t>(width));
  out.U32(static_cast<std::uint32_t>(height));
  out.U16(1);
  out.U16(static_cast<unsigned>(bits));
  out.U32(0);  // BI_RGB
  out.U32(imageSize);
  out.U32(2835);  // 72 dots per inch
  out.U32(2835);
  out.U32(0);
  out.U32(0);
}

}  // namespace

bool WriteBmp(const std::string& path, const std::vector<Rgb>& pixels, int width, int height) {
  const int stride = (width * 3 + 3) & ~3;
  const std::uint32_t imageSize = static_cast<std::uint32_t>(stride * height);
  Bytes out;
  out.U8('B');
  out.U8('M');
  out.U32(14 + 40 + imageSize);
  out.U32(0);
  out.U32(14 + 40);
  BitmapInfoHeader(out, width, height, 24, imageSize);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const Rgb& p = pixels[static_cast<size_t>(y) * width + x];
      out.U8(Channel(p.b));
      out.U8(Channel(p.g));
      out.U8(Channel(p.r));
    }
    for (int pad = width * 3; pad < stride; ++pad) out.U8(0);
  }
  return out.Save(path);
}

bool WriteIco(const std::string& path, const std::vector<const Raster*>& images) {
  std::vector<Bytes> bodies;
  for (const Raster* image : images) {
    const int w = image->Width(), h = image->Height();
    const int maskStride = ((w + 31) / 32) * 4;
    Bytes body;
    BitmapInfoHeader(body, w, h * 2, 32, static_cast<std::uint32_t>(w * h * 4 + maskStride * h));
    for (int y = h - 1; y >= 0; --y)
      for (int x = 0; x < w; ++x) {
        const Raster::Pixel& p = image->At(x, y);
        const double a = std::max(p.alpha, 1e-9);
        body.U8(Channel(p.color.b / a));
        body.U8(Channel(p.color.g / a));
        body.U8(Channel(p.color.r / a));
        body.U8(Channel(p.alpha * 255));
      }
    // The mask marks fully transparent pixels, for readers that ignore the alpha channel.
    for (int y = h - 1; y >= 0; --y)
      for (int byte = 0; byte < maskStride; ++byte) {
        unsigned bits = 0;
        for (int bit = 0; bit < 8; ++bit) {
          const int x = byte * 8 + bit;
          if (x >= w || image->At(x, y).alpha < 0.5) bits |= 0x80u >> bit;
        }
        body.U8(bits);
      }
    bodies.push_back(body);
  }
  Bytes out;
  out.U16(0);
  out.U16(1);  // icon
  out.U16(static_cast<unsigned>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    out.U8(static_cast<unsigned>(images[i]->Width() & 0xFF));
    out.U8(static_cast<unsigned>(images[i]->Height() & 0xFF));
    out.U8(0);
    out.U8(0);
    out.U16(1);
    out.U16(32);
    out.U32(static_cast<std::uint32_t>(bodies[i].Size()));
    out.U32(offset);
    offset += static_cast<std::uint32_t>(bodies[i].Size());
  }
  for (const Bytes& body : bodies) out.Append(body);
  return out.Save(path);
}

}  // namespace skinart
