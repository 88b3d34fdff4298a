// The Windows headers as the framework uses them. Framework methods named like Win32 functions
// (TCanvas::DrawText, TCanvas::TextOut, TApplication::MessageBox) keep their names: the
// character-set macros of those functions are removed; the framework calls the A functions.
#pragma once

#include <windows.h>
#include <commctrl.h>

#undef DrawText
#undef TextOut
#undef MessageBox
