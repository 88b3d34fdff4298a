// The two rip workers. Each runs on the thread its rip method started, with COM set up there
// and the host firing events through that thread's proxy of the ripper. A worker opens the
// drive again, reads the track into its output and ends with RipProgress 100; when the drive
// cannot be opened it lets the output go, ends the rip-in-progress state and raises the error,
// without RipProgress.
#pragma once

#include "PcmHandOver.h"
#include "RipHost.h"
#include "WavFile.h"

namespace rip {

// Reads into the WAV file the rip method created, and closes it.
void RunWavRip(RipHost& host, WavFile& file);

// Reads into the PCM buffer, which the media-check tick hands to the writer in convert mode,
// then closes the writer's file (FILE_ACCESS raised when that fails).
void RunEncodingRip(RipHost& host, PcmHandOver& pcm, SampleWriter& writer);

}  // namespace rip
