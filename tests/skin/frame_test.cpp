// The flat frame of bordered controls, drawn over a real window's whole area on the display.
#include <gtest/gtest.h>

#include <memory>

#include "Application.h"
#include "Form.h"
#include "KIVPublic.h"

namespace {

// A child window with a one-pixel non-client border, as the framed controls have.
class Bordered : public ui::TWinControl {
 public:
  using TWinControl::TWinControl;

 protected:
  void CreateParams(ui::TCreateParams& params) override {
    TWinControl::CreateParams(params);
    params.Style |= WS_BORDER;
  }
};

ui::TColor WindowPixel(HWND wnd, int x, int y) {
  HDC dc = GetWindowDC(wnd);
  const COLORREF color = GetPixel(dc, x, y);
  ReleaseDC(wnd, dc);
  return color;
}

TEST(ControlFrame, TwoRingsAreDrawnOverTheWholeWindow) {
  ui::TForm form(nullptr);
  form.SetBorderStyle(ui::bsNone);
  form.SetBounds(50, 50, 120, 90);
  auto* control = new Bordered(&form);
  control->SetBounds(10, 10, 60, 40);
  control->SetColor(ui::clWhite);
  control->SetParent(&form);
  form.Show();
  for (int i = 0; i < 3; ++i) {
    ui::Application().ProcessMessages();
    Sleep(10);
  }
  kiv::DrawControlFrame(*control, ui::clNavy, ui::clRed);
  HWND wnd = control->Handle();
  EXPECT_EQ(WindowPixel(wnd, 0, 0), ui::clNavy);
  EXPECT_EQ(WindowPixel(wnd, 59, 39), ui::clNavy);
  EXPECT_EQ(WindowPixel(wnd, 30, 0), ui::clNavy);
  EXPECT_EQ(WindowPixel(wnd, 1, 1), ui::clRed);
  EXPECT_EQ(WindowPixel(wnd, 58, 20), ui::clRed);
  EXPECT_EQ(WindowPixel(wnd, 2, 2), ui::clWhite);
}

TEST(ControlFrame, AControlWithoutAWindowYetGetsOne) {
  ui::TForm form(nullptr);
  form.SetBorderStyle(ui::bsNone);
  auto* control = new Bordered(&form);
  control->SetBounds(0, 0, 30, 20);
  control->SetParent(&form);
  EXPECT_FALSE(control->HandleAllocated());
  kiv::DrawControlFrame(*control, ui::clBlack, ui::clSilver);
  EXPECT_TRUE(control->HandleAllocated());
}

}  // namespace
