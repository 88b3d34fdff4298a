// Pictures in TImage on the test display: a JPEG file decoded (a known picture of four colour
// quarters), drawn stretched and centred; a bitmap drawn transparently over its parent; files
// that cannot be read refused with their name.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "Image.h"
#include "JpegImage.h"
#include "WindowTestKit.h"

namespace {

constexpr ui::TColor kQuarters[4] = {ui::clRed, ui::clLime, ui::clBlue, ui::clWhite};

// The colour of the quarter (top-left, top-right, bottom-left, bottom-right) of a size x size
// picture that the point lies in.
ui::TColor QuarterAt(int x, int y, int size) {
  return kQuarters[(y >= size / 2 ? 2 : 0) + (x >= size / 2 ? 1 : 0)];
}

std::string TempFile(const std::string& name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

// A size x size JPEG of the four quarters, made with the library's own encoder.
std::string WriteQuartersJpeg(int size) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* data = nullptr;
  unsigned long length = 0;
  jpeg_mem_dest(&info, &data, &length);
  info.image_width = info.image_height = size;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(3 * size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const COLORREF c = QuarterAt(x, y, size);
      row[3 * x] = GetRValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetBValue(c);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  const std::string path = TempFile("quarters.jpg");
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<char*>(data), length);
  jpeg_destroy_compress(&info);
  free(data);
  return path;
}

// A 24-bit .bmp of a magenta field with a black square in the middle.
std::string WriteKeyedBmp(int size) {
  const int stride = (3 * size + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + stride * size;
  info.biSize = sizeof info;
  info.biWidth = info.biHeight = size;
  info.biPlanes = 1;
  info.biBitCount = 24;
  std::vector<unsigned char> pixels(stride * size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const bool inner = x >= size / 4 && x < 3 * size / 4 && y >= size / 4 && y < 3 * size / 4;
      unsigned char* p = &pixels[y * stride + 3 * x];
      p[0] = p[2] = inner ? 0 : 255;  // blue and red: magenta outside
      p[1] = 0;
    }
  const std::string path = TempFile("keyed.bmp");
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<char*>(&file), sizeof file);
  out.write(reinterpret_cast<char*>(&info), sizeof info);
  out.write(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
  return path;
}

std::unique_ptr<ui::TForm> MakeForm() {
  auto form = std::make_unique<ui::TForm>(nullptr);
  form->SetBorderStyle(ui::bsNone);
  form->SetBounds(40, 40, 300, 200);
  form->SetColor(ui::clYellow);
  return form;
}

ui::TImage* MakeImage(ui::TForm& form, RECT bounds) {
  auto* image = new ui::TImage(&form);
  image->SetBoundsRect(bounds);
  image->SetParent(&form);
  return image;
}

TEST(Image, AJpegFileIsDecodedAndDrawnStretchedOrCentred) {
  const std::string path = WriteQuartersJpeg(32);
  auto form = MakeForm();
  auto* stretched = MakeImage(*form, {10, 10, 74, 74});
  stretched->Picture().LoadFromFile(path);
  auto* jpeg = dynamic_cast<ui::TJPEGImage*>(stretched->Picture().Graphic());
  ASSERT_NE(jpeg, nullptr);
  ASSERT_EQ(jpeg->Width(), 32);
  ASSERT_EQ(jpeg->Height(), 32);
  for (int y = 2; y < 32; y += 4)
    for (int x = 2; x < 32; x += 4)
      ASSERT_TRUE(testkit::ColorNear(jpeg->Bitmap().Pixel(x, y), QuarterAt(x, y, 32), 24)) << x << "," << y;
  stretched->SetStretch(true);
  auto* centred = MakeImage(*form, {100, 10, 200, 110});
  centred->Picture().Assign(stretched->Picture());
  centred->SetCenter(true);
  form->Show();
  testkit::Pump();

  auto shot = testkit::CaptureAndSave(*form, "image_jpeg");
  for (int y = 4; y < 64; y += 8)
    for (int x = 4; x < 64; x += 8)
      EXPECT_TRUE(testkit::ColorNear(shot->Pixel(10 + x, 10 + y), QuarterAt(x, y, 64), 24)) << x << "," << y;
  // Centred: the 32-pixel picture at 34..66 of the 100-pixel control, the parent around it.
  EXPECT_EQ(shot->Pixel(100 + 30, 10 + 30), ui::clYellow);
  EXPECT_TRUE(testkit::ColorNear(shot->Pixel(100 + 36, 10 + 36), ui::clRed, 24));
  EXPECT_TRUE(testkit::ColorNear(shot->Pixel(100 + 63, 10 + 63), ui::clWhite, 24));
  EXPECT_EQ(shot->Pixel(100 + 70, 10 + 70), ui::clYellow);
}

TEST(Image, ATransparentBitmapLetsTheParentShowAndAutoSizeFitsIt) {
  auto form = MakeForm();
  auto* image = MakeImage(*form, {20, 20, 30, 30});
  image->SetAutoSize(true);
  image->SetTransparent(true);
  image->Picture().LoadFromFile(WriteKeyedBmp(40));
  EXPECT_EQ(image->Width(), 40);
  EXPECT_EQ(image->Height(), 40);
  form->Show();
  testkit::Pump();
  auto shot = testkit::CaptureAndSave(*form, "image_transparent");
  EXPECT_EQ(shot->Pixel(22, 22), ui::clYellow);  // the magenta field is left out
  EXPECT_EQ(shot->Pixel(40, 40), ui::clBlack);
}

TEST(Image, UnreadablePicturesAreRefusedByNameAndTheOldOneStays) {
  ui::TPicture picture;
  picture.LoadFromFile(WriteQuartersJpeg(16));
  const std::string broken = TempFile("broken.jpg");
  std::ofstream(broken, std::ios::binary) << "not a picture";
  try {
    picture.LoadFromFile(broken);
    FAIL() << "a broken JPEG was taken";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("broken.jpg"), std::string::npos) << e.what();
  }
  EXPECT_THROW(picture.LoadFromFile(TempFile("missing.bmp")), std::runtime_error);
  EXPECT_THROW(picture.LoadFromFile(TempFile("notes.txt")), std::runtime_error);
  EXPECT_EQ(picture.Width(), 16);
}

}  // namespace
