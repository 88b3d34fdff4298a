// The two system services the ripper object asks about a disc besides the drive layer: which
// drive letters are CD drives, and the CD audio device (MCI) that knows the length of a track.
// They go through one table so a test can answer for a machine that has neither: the server
// exports SetRipperSystemCalls, which installs a test's table (null puts the real one back).
#pragma once

#include <windows.h>
#include <mmsystem.h>

struct RipperSystemCalls {
    UINT(WINAPI* getDriveType)(LPCSTR root);
    MCIERROR(WINAPI* mciSendCommand)(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters);
};

// The calls in use.
const RipperSystemCalls& RipperSystem();

extern "C" __declspec(dllexport) void SetRipperSystemCalls(const RipperSystemCalls* calls);
