#include "ControlCanvas.h"

#include <algorithm>
#include <vector>

#include "WinControl.h"

namespace ui {

namespace {
std::vector<TControlCanvas*> g_borrowing;
int g_messageDepth = 0;
}  // namespace

TMessageScope::TMessageScope() { ++g_messageDepth; }

TMessageScope::~TMessageScope() {
  if (--g_messageDepth == 0) TControlCanvas::FreeAllHandles();
}

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  HWND wnd = control_.Handle();
  HDC dc = wnd ? GetDCEx(wnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS) : nullptr;
  if (!dc) return;
  TCanvas::SetHandle(dc);
  borrowedFrom_ = wnd;
  borrowed_ = dc;
  g_borrowing.push_back(this);
}

void TControlCanvas::SetHandle(HDC dc) {
  if (borrowed_ && dc != borrowed_) FreeHandle();
  TCanvas::SetHandle(dc);
}

void TControlCanvas::FreeHandle() {
  if (!borrowed_) return;
  TCanvas::SetHandle(nullptr);
  ReleaseDC(borrowedFrom_, borrowed_);
  borrowed_ = nullptr;
  borrowedFrom_ = nullptr;
  g_borrowing.erase(std::remove(g_borrowing.begin(), g_borrowing.end(), this), g_borrowing.end());
}

void TControlCanvas::FreeAllHandles() {
  while (!g_borrowing.empty()) g_borrowing.back()->FreeHandle();
}

}  // namespace ui
