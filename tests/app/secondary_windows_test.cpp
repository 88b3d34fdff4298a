// The splash, about and advert windows: their pictures, the advert window's two products in
// turn, and its "OK" closing it. Captures of each are written under the build folder.
#include "About.h"
#include "Advert.h"
#include "FlashUt.h"

#include "WindowTestKit.h"

#include <gtest/gtest.h>

#include <memory>

using namespace app;

TEST(SecondaryWindows, SplashAndAboutShowTheirPicturesAtTheirSizes) {
  AppContext context;
  std::unique_ptr<TfrmFlash> flash(ui::Create<TfrmFlash>(nullptr));
  flash->Show();
  testkit::Pump();
  EXPECT_EQ(flash->ClientWidth(), 350);
  EXPECT_EQ(flash->ClientHeight(), 233);
  EXPECT_EQ(flash->ImgFlash->Picture().Width(), 350);
  auto picture = testkit::CaptureAndSave(*flash, "app_splash");
  // The night-blue ground of the picture, not an empty window.
  const ui::TColor corner = picture->Pixel(2, 2);
  EXPECT_GT((corner >> 16) & 0xFF, corner & 0xFF);

  std::unique_ptr<TfrmAbout> about(ui::Create<TfrmAbout>(nullptr, context));
  EXPECT_EQ(context.frmAbout, about.get());
  about->Show();
  testkit::Pump();
  EXPECT_EQ(about->Image1->Picture().Height(), 219);
  EXPECT_EQ(about->lbHome->Width(), 130);
  EXPECT_EQ(about->lbHome->Cursor(), ui::crHandPoint);
  testkit::CaptureAndSave(*about, "app_about");
}

TEST(SecondaryWindows, TheAdvertShowsTheProductOfTheModeSetLastAndOkClosesIt) {
  AppContext context;
  std::unique_ptr<TfrmAdvert> advert(ui::Create<TfrmAdvert>(nullptr, context));
  advert->Mode = 2;
  advert->Show();
  testkit::Pump();
  EXPECT_EQ(advert->lbAdvert->Caption(), AdvertProductOf(2)->description);
  EXPECT_FALSE(advert->bBuy->Visible());
  testkit::CaptureAndSave(*advert, "app_advert");
  testkit::Click(*advert->bCancel);
  EXPECT_FALSE(advert->Visible());
  advert->Mode = 1;
  advert->Show();
  testkit::Pump();
  EXPECT_EQ(advert->lbAdvert->Caption(), AdvertProductOf(1)->description);
  advert->Mode = 7;  // another mode leaves the text as it was
  advert->Hide();
  advert->Show();
  EXPECT_EQ(advert->lbAdvert->Caption(), AdvertProductOf(1)->description);
  EXPECT_EQ(AdvertProductOf(0), nullptr);
  EXPECT_NE(std::string(AdvertProductOf(1)->download), AdvertProductOf(2)->download);
}

TEST(SecondaryWindows, TheAboutBoxClosesWithEscapeAndWithEnter) {
  AppContext context;
  std::unique_ptr<TfrmAbout> about(ui::Create<TfrmAbout>(nullptr, context));
  for (WORD key : {VK_ESCAPE, VK_RETURN}) {
    // A key that closes nothing leaves the box to an answer the test can tell apart.
    testkit::ModalAnswer press([key](ui::TForm& form) {
      testkit::PressKey(key);
      if (form.ModalResult() == ui::mrNone) form.SetModalResult(ui::mrIgnore);
    });
    EXPECT_EQ(about->ShowModal(), ui::mrCancel) << "key " << key;
    EXPECT_TRUE(press.Answered());
  }
}
