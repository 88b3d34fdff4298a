// TalvoRipper.exe: the program around the application library.
#include <windows.h>

#include "StartUp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return app::RunTalvoRipper(); }
