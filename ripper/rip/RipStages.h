// The start and the end that both rip workers share.
#pragma once

#include <optional>

#include "RipHost.h"
#include "TrackReader.h"

namespace rip {

// Opens the drive anew and locks the tray when asked; the job, or nothing when the drive layer
// or the drive cannot be opened: `failure` then holds the error that ends the rip (ASPI_DRIVER,
// DRIVE_BUSY), for EndUnopenedRip once the worker has let its output go.
std::optional<RipJob> OpenDriveForRip(RipHost& host, int* failure);

// The end of a rip whose drive did not open: the object is no longer ripping, so the client
// may rip again (or Refresh) as soon as it hears the error; no RipProgress follows.
void EndUnopenedRip(RipHost& host, int failure);

void UnlockTray(RipHost& host, const RipJob& job);

// Gives a drive that is not ready up to four seconds to become so; how it answered last. A
// drive that does not answer at all is not waited for.
Readiness WaitForDrive(RipHost& host);

// The error that ends a rip on a drive answering so: TIMEOUT when it does not answer,
// MEDIA_CHANGED when it has no disc ready; none when it is ready.
std::optional<int> ErrorOfReadiness(Readiness readiness);

// Frees the reader's buffers, clears the rip-in-progress flag, gives the drive up to four
// seconds to become ready, switches the media check back on and sends RipProgress 100.
void EndRip(RipHost& host, TrackReader& reader);

}  // namespace rip
