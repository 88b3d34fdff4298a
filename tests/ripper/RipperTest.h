// The fixture of the ripper object's tests: a client on this thread and a simulated drive
// whose disc the test can pull and put back, with the drive's command log to read.
#pragma once

#include "RipperClient.h"

#include "com/Apartment.h"

#include "ConfigText.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

class RipperTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A configuration with this test's command log and control file.
    simdrive::ConfigText Config();
    void Use(const simdrive::ConfigText& config);
    // Drive 0:1:0 holding the disc "album" of these tracks.
    void UseDisc(std::initializer_list<const char*> tracks);

    // DriverOpen, then Refresh; both must pass without an event.
    void OpenAndRefresh();
    // The disc in drive 0:1:0: a disc name of the configuration, or "none".
    void PutDisc(const char* disc);
    // Drive 0:1:0 drops off the host for its next `opens` opens.
    void TakeDriveAway(int opens);

    // The execute requests the drives received since the last Mark().
    std::vector<std::string> Commands();
    void Mark();

    LONG Long(HRESULT (STDMETHODCALLTYPE IAudioCDRipper::*getter)(LONG*));

    com::apartment apartment_;
    std::optional<RipperClient> ripper_;

private:
    std::size_t marked_ = 0;
};

// The CDDB identifier of a disc of audio tracks of these lengths in frames, laid out from LBA 0.
LONG DiscIdOf(const std::vector<int>& frames);
// The cdplayer.ini section of that disc.
std::string IniSectionOf(const std::vector<int>& frames);
