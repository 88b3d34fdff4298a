// The program's pictures, stored as JPEG and BMP in its resources, load at their window sizes;
// data that is not such a picture is refused without ending the program.
#include "BmpPicture.h"
#include "JpegPicture.h"

#include <gtest/gtest.h>

#include <utility>

#include <string>

TEST(Pictures, TheProgramsPicturesDecodeAtTheirSizes) {
  const struct {
    const char* name;
    int width, height;
  } pictures[] = {{"FLASH_PICTURE", 350, 233}, {"ABOUT_PICTURE", 350, 219}, {"ADVERT_PICTURE", 120, 170}};
  for (const auto& picture : pictures) {
    ui::TBitmap bitmap;
    ASSERT_TRUE(app::LoadJpegResource(picture.name, bitmap)) << picture.name;
    EXPECT_EQ(bitmap.Width(), picture.width) << picture.name;
    EXPECT_EQ(bitmap.Height(), picture.height) << picture.name;
    // The night-blue ground: more blue than red in the top-left corner.
    const std::uint32_t corner = bitmap.ScanLine(0)[0];
    EXPECT_GT(corner & 0xFF, (corner >> 16) & 0xFF) << picture.name;
  }
}

TEST(Pictures, DataThatIsNotAJpegPictureIsRefused) {
  ui::TBitmap bitmap(3, 2);
  const std::string junk = "\xFF\xD8 this is not a picture at all";
  EXPECT_FALSE(app::DecodeJpeg(junk.data(), junk.size(), bitmap));
  EXPECT_FALSE(app::DecodeJpeg(nullptr, 0, bitmap));
  EXPECT_EQ(bitmap.Width(), 3);
  EXPECT_FALSE(app::LoadJpegResource("NO_SUCH_PICTURE", bitmap));
}

TEST(Pictures, TheMainWindowsBitmapsLoadWithTheirKeyExact) {
  // The main window's tool-bar strip and the player window's.
  for (const auto& [name, count] : {std::pair{"TOOLBAR_PICTURES", 11}, std::pair{"PLAYER_TOOLBAR_PICTURES", 10}}) {
    ui::TBitmap strip;
    ASSERT_TRUE(app::LoadBmpResource(name, strip)) << name;
    EXPECT_EQ(strip.Width(), count * 32) << name;
    EXPECT_EQ(strip.Height(), 32) << name;
    // Every image leaves its corners out, in exactly the key the image list masks.
    for (int image = 0; image < count; ++image) EXPECT_EQ(strip.Pixel(image * 32, 0), ui::clFuchsia) << name << image;
  }
  ui::TBitmap rule, ground;
  ASSERT_TRUE(app::LoadBmpResource("TOOLBAR_RULE", rule));
  ASSERT_TRUE(app::LoadBmpResource("STATUS_GROUND", ground));
  EXPECT_EQ(ground.Height(), 26);
  // A JPEG picture is not a BMP file, and nothing is not one either: both leave the bitmap.
  ui::TBitmap bitmap(3, 2);
  EXPECT_FALSE(app::LoadBmpResource("FLASH_PICTURE", bitmap));
  EXPECT_FALSE(app::LoadBmpResource("NO_SUCH_PICTURE", bitmap));
  EXPECT_EQ(bitmap.Width(), 3);
}
