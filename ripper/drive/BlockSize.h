// Block-size set-up before the first read of some read classes, and its restore at close.
#pragma once

namespace drive {

// 2352-byte blocks with a plain block descriptor (READ(6) and READ(10) classes).
int SetAudioBlockSize(int handle);
// 2352-byte blocks with the page-format lists of the second READ(10) class.
int SetAudioBlockSize2(int handle);
// The block length for D4 reads.
int SetD4BlockMode(int handle);
// Back to 2048-byte data blocks.
int RestoreBlockSize(int handle);

}  // namespace drive
