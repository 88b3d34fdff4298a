// A fake machine for the ripper's system table: which drive letters are CD drives, and a CD
// audio device that answers track lengths the test chose and records what it was asked.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <string>
#include <vector>

namespace fakecd {

struct MciCall {
    UINT message;
    DWORD_PTR flags;
    DWORD_PTR deviceType;  // MCI_OPEN: the type given
    std::string element;   // MCI_OPEN: the drive letter given
    DWORD item;            // MCI_STATUS
    DWORD track;           // MCI_STATUS
};

// Installs the fake in the server loaded by UseRipperServer and resets it: D: is the only CD
// drive and the device knows no track (it answers every length as 0:00). false when the
// server does not take it.
bool Install();
// The letters of the CD drives, e.g. "DF" for D: and F:.
void SetCdLetters(const std::string& letters);
// What MCI_STATUS answers for a track's length (packed minutes, seconds and frames).
void SetTrackLength(int track, int minutes, int seconds, int frames = 0);
std::vector<MciCall> Calls();

}  // namespace fakecd
