// The windowing chain the skinned windows rely on: a real top-level window on the test
// display, painted through WM_PAINT, and its pixels captured back through GDI.
#include <windows.h>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF kFill = RGB(0x20, 0x90, 0xE0);

LRESULT CALLBACK PaintFillProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    HBRUSH brush = CreateSolidBrush(kFill);
    FillRect(dc, &ps.rcPaint, brush);
    DeleteObject(brush);
    EndPaint(wnd, &ps);
    return 0;
  }
  return DefWindowProcA(wnd, msg, wp, lp);
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

}  // namespace

TEST(Window, CreatedShownPaintedAndCaptured) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = PaintFillProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "FoundationPaintFill";
  ASSERT_NE(RegisterClassA(&wc), 0);

  HWND wnd = CreateWindowExA(0, wc.lpszClassName, "Foundation", WS_POPUP, 10, 10, 64, 48,
                             nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(wnd, nullptr) << "error " << GetLastError() << " (is there an X display?)";
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  UpdateWindow(wnd);
  PumpMessages();

  HDC windowDc = GetDC(wnd);
  HDC memDc = CreateCompatibleDC(windowDc);
  HBITMAP bitmap = CreateCompatibleBitmap(windowDc, 64, 48);
  HGDIOBJ old = SelectObject(memDc, bitmap);
  ASSERT_TRUE(BitBlt(memDc, 0, 0, 64, 48, windowDc, 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(memDc, 0, 0), kFill);
  EXPECT_EQ(GetPixel(memDc, 63, 47), kFill);
  SelectObject(memDc, old);
  DeleteObject(bitmap);
  DeleteDC(memDc);
  ReleaseDC(wnd, windowDc);
  DestroyWindow(wnd);
}
