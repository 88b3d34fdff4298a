// TCursor: the mouse pointer shapes a control can ask for, by the numbers stored in window
// layouts (crHandPoint is -21), and the system cursor each one shows.
#pragma once

#include "Win32.h"

namespace ui {

using TCursor = short;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;

// The system cursor shown for the shape (crNone: none at all; crDefault: the arrow).
HCURSOR CursorHandle(TCursor cursor);

}  // namespace ui
