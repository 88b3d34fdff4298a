#include "Cursor.h"

namespace ui {

HCURSOR CursorHandle(TCursor cursor) {
  LPCSTR shape = reinterpret_cast<LPCSTR>(IDC_ARROW);
  switch (cursor) {
    case crNone: return nullptr;
    case crCross: shape = reinterpret_cast<LPCSTR>(IDC_CROSS); break;
    case crIBeam: shape = reinterpret_cast<LPCSTR>(IDC_IBEAM); break;
    case crSizeNESW: shape = reinterpret_cast<LPCSTR>(IDC_SIZENESW); break;
    case crSizeNS:
    case crVSplit: shape = reinterpret_cast<LPCSTR>(IDC_SIZENS); break;
    case crSizeNWSE: shape = reinterpret_cast<LPCSTR>(IDC_SIZENWSE); break;
    case crSizeWE:
    case crHSplit: shape = reinterpret_cast<LPCSTR>(IDC_SIZEWE); break;
    case crUpArrow: shape = reinterpret_cast<LPCSTR>(IDC_UPARROW); break;
    case crHourGlass: shape = reinterpret_cast<LPCSTR>(IDC_WAIT); break;
    case crNo: shape = reinterpret_cast<LPCSTR>(IDC_NO); break;
    case crAppStart: shape = reinterpret_cast<LPCSTR>(IDC_APPSTARTING); break;
    case crHelp: shape = reinterpret_cast<LPCSTR>(IDC_HELP); break;
    case crHandPoint: shape = reinterpret_cast<LPCSTR>(IDC_HAND); break;
    case crSizeAll: shape = reinterpret_cast<LPCSTR>(IDC_SIZEALL); break;
    default: break;
  }
  return LoadCursorA(nullptr, shape);
}

}  // namespace ui
