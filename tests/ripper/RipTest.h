// The fixture of the rip tests through COM: a disc whose audio is known, track 2 chosen with a
// preset at full speed, and rips run to their RipProgress 100 while this thread serves the
// object's events.
#pragma once

#include "RipperTest.h"

#include "RipAudioCheck.h"

#include <cstdint>
#include <string>
#include <vector>

class RipTest : public RipperTest {
protected:
    // The disc: audio tracks of 200, 400 and 300 frames; track 2 is the one ripped.
    static constexpr std::uint32_t kTrackStart = 200;
    static constexpr std::uint32_t kTrackFrames = 400;

    // Drive 0:1:0 with these lines in its section ("unreadable = ...", "jitter = ..."); the
    // driver opened and the disc read.
    void OpenDisc(const std::vector<std::string>& driveLines = {});
    // Track 2 with the preset, at 64x and without spin-up.
    void Choose(RipModePresetConstants preset);

    using RipMethod = HRESULT (STDMETHODCALLTYPE IAudioCDRipper::*)(BSTR);
    // Calls the rip method with a name in the scratch folder and serves events until
    // RipProgress 100 arrives; false when it did not within 20 s.
    bool Rip(RipMethod method, const std::string& name);
    bool RipWav(const std::string& name) { return Rip(&IAudioCDRipper::RipTrackToWav, name); }
    // Starts the rip without waiting.
    void StartRip(RipMethod method, const std::string& name);
    // Serves events until one more rip has ended than had when the rip started.
    bool WaitForRipOver(DWORD timeoutMs = 20000);
    // The RipProgress 100 events so far: one a rip.
    int RipsOver() const;
    static std::string OutputPath(const std::string& name) { return ScratchFolder() + name; }
    riptest::WavContents RippedWav(const std::string& name) const;

    // The arguments of the events of one kind, in order.
    std::vector<LONG> Arguments(DISPID event) const;
    // How often the drive has been opened since the configuration was used (each open asks
    // the device type).
    static int DriveOpens();

    // RipsOver() when the last rip started.
    int ripsOverAtStart_ = 0;

    static std::vector<std::uint8_t> Track(std::uint32_t frames = kTrackFrames) {
        return riptest::GeneratedAudio(kTrackStart, frames);
    }
};
