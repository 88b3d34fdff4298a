// The AudioCDRipper object through its COM interface on the simulated drive: DriverOpen and
// DriverClose, drive selection, Refresh on audio, mixed-mode and enhanced discs with the last
// track corrected by the CD audio device, the disc and track properties, Eject, and the one
// way every member reports a failure.
#include "FakeCdAudio.h"
#include "RipperTest.h"

#include "ServerDll.h"
#include "com/Bstr.h"

#include <thread>


namespace {

constexpr LONG kUnwritten = -12345;

// The leading CDB bytes of the commands since Mark(), leaving out the media check's TEST UNIT
// READY.
std::vector<std::string> ControlCommandsOf(const std::vector<std::string>& commands) {
    std::vector<std::string> cdbs;
    for (const std::string& command : commands) {
        const std::string cdb = command.substr(command.find("cdb=") + 4, 14);
        if (cdb.rfind("00 ", 0) != 0) cdbs.push_back(cdb);
    }
    return cdbs;
}

std::string Text(BSTR raw) {
    std::string text = com::to_ansi(raw);
    SysFreeString(raw);
    return text;
}

class Registration : public RipperTest {};

TEST_F(Registration, ProgIdsAndThreadingModelBoth) {
    const std::wstring clsid = guidText(CLSID_AudioCDRipper);
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, L"ZEVDiscRipper.AudioCDRipper.1\\CLSID"), clsid);
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, L"ZEVDiscRipper.AudioCDRipper\\CurVer"), L"ZEVDiscRipper.AudioCDRipper.1");
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid + L"\\InprocServer32", L"ThreadingModel"), L"Both");
}

TEST_F(Registration, TellsItsEventInterface) {
    UseDisc({"audio 0:30"});
    com::ptr<IProvideClassInfo2> info = com::ptr<IAudioCDRipper>(ripper_->get()).query<IProvideClassInfo2>();
    ASSERT_TRUE(info);
    GUID events{};
    ASSERT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
    EXPECT_TRUE(IsEqualGUID(events, DIID__IAudioCDRipperEvents));
}

TEST_F(Registration, WorksForAClientInTheMultithreadedApartment) {
    UseDisc({"audio 0:30", "audio 0:20"});
    LONG tracks = 0;
    std::thread client([&] {
        com::apartment mta(COINIT_MULTITHREADED);
        com::ptr<IAudioCDRipper> ripper;
        if (FAILED(CoCreateInstance(CLSID_AudioCDRipper, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(ripper.put()))))
            return;
        ripper->DriverOpen();
        ripper->Refresh();
        ripper->get_trackCount(&tracks);
        ripper->DriverClose();
    });
    client.join();
    EXPECT_EQ(tracks, 2);
}

class DriverOpenClose : public RipperTest {
protected:
    std::vector<std::string> ControlCommands() { return ControlCommandsOf(Commands()); }
};

TEST_F(DriverOpenClose, NoDrivesFiresNothingAndLeavesNothingToSelect) {
    simdrive::ConfigText config = Config();
    config.Drive("0:1:0").Key("type", "0");  // a disk, not a CD drive
    Use(config);
    ASSERT_EQ((*ripper_)->DriverOpen(), S_OK);
    EXPECT_EQ(Long(&IAudioCDRipper::get_driveCount), 0);
    EXPECT_EQ((*ripper_)->put_driveNum(3), S_OK);
    EXPECT_EQ(Long(&IAudioCDRipper::get_driveNum), 1);
    EXPECT_TRUE(ripper_->events().empty());
}

TEST_F(DriverOpenClose, OpensNoDriveUntilRefresh) {
    UseDisc({"audio 0:30", "audio 0:20"});
    Mark();
    ASSERT_EQ((*ripper_)->DriverOpen(), S_OK);
    EXPECT_EQ(Long(&IAudioCDRipper::get_driveCount), 1);
    EXPECT_EQ(Long(&IAudioCDRipper::get_trackCount), 0);
    // Only the enumeration's INQUIRY reached the drive: no TOC, no unit test.
    for (const std::string& command : Commands()) EXPECT_NE(command.find("cdb=12 "), std::string::npos) << command;
    // With no drive open, Eject has nothing to act on.
    EXPECT_EQ((*ripper_)->Eject(), S_OK);
    EXPECT_EQ(ripper_->errors(), std::vector<LONG>{OPERATION_FAILED});
}

TEST_F(DriverOpenClose, EjectWithoutTheDriverReportsTheMissingTransport) {
    UseDisc({"audio 0:30"});
    EXPECT_EQ((*ripper_)->Eject(), S_OK);
    EXPECT_EQ(ripper_->errors(), std::vector<LONG>{ASPI_DRIVER});
}

TEST_F(DriverOpenClose, CloseRestoresSpeedUnlocksAndClosesTheDrive) {
    UseDisc({"audio 0:30"});
    OpenAndRefresh();
    Mark();
    ASSERT_EQ((*ripper_)->DriverClose(), S_OK);
    // SET CD SPEED to the highest speed (44885 KB/s), then ALLOW MEDIUM REMOVAL.
    EXPECT_EQ(ControlCommands(), (std::vector<std::string>{"BB 00 AF 55 AF", "1E 00 00 00 00"}));
    // The thread is gone and the drive closed: nothing more reaches the drive.
    Mark();
    ripper_->pumpFor(200);
    EXPECT_TRUE(Commands().empty());
    EXPECT_TRUE(ripper_->events().empty());
}

TEST_F(DriverOpenClose, ASecondObjectOpensTheDriveAfterTheFirstClosed) {
    UseDisc({"audio 0:30", "audio 0:20"});
    OpenAndRefresh();
    ASSERT_EQ((*ripper_)->DriverClose(), S_OK);
    ripper_.emplace();
    OpenAndRefresh();
    EXPECT_EQ(Long(&IAudioCDRipper::get_trackCount), 2);
}

TEST_F(DriverOpenClose, ObjectReleasedWithoutDriverCloseLetsTheNextOneOpenTheDrive) {
    UseDisc({"audio 0:30", "audio 0:20"});
    OpenAndRefresh();
    // The media-check thread's proxy holds the object until the object's apartment lets it go.
    CoDisconnectObject(ripper_->get(), 0);
    ripper_->release();
    // Let go from that thread, the object ends on its own thread once that thread serves its
    // messages, as the thread of a single-threaded apartment does; until then it holds the
    // drive layer.
    using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
    const auto canUnloadNow = reinterpret_cast<CanUnloadNow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ZEVDiscRipper.dll"), "DllCanUnloadNow")));
    ASSERT_NE(canUnloadNow, nullptr);
    ASSERT_TRUE(ripper_->pumpUntil([&] { return canUnloadNow() == S_OK; }, 10000));
    ripper_.emplace();
    OpenAndRefresh();
    EXPECT_EQ(Long(&IAudioCDRipper::get_trackCount), 2);
}

class DriveSelection : public RipperTest {
protected:
    void UseThreeDrives() {
        simdrive::ConfigText config = Config();
        config.Drive("0:1:0").Key("product", "FIRST").Key("disc", "album");
        config.Drive("0:2:0").Key("product", "SECOND");
        config.Drive("1:0:0").Key("product", "THIRD");
        config.Disc("album").Track("audio 0:30");
        Use(config);
        ASSERT_EQ((*ripper_)->DriverOpen(), S_OK);
    }
    std::string Name() {
        BSTR name = nullptr;
        EXPECT_EQ((*ripper_)->get_driveName(&name), S_OK);
        return Text(name);
    }
    std::string Letter() {
        BSTR letter = nullptr;
        EXPECT_EQ((*ripper_)->get_driveLetter(&letter), S_OK);
        return Text(letter);
    }
};

TEST_F(DriveSelection, DriveNumIsClampedToTheDrivesFound) {
    UseThreeDrives();
    EXPECT_EQ(Long(&IAudioCDRipper::get_driveCount), 3);
    const std::pair<LONG, LONG> cases[] = {{2, 2}, {0, 1}, {-7, 1}, {3, 3}, {9, 3}};
    for (const auto& [put, selected] : cases) {
        EXPECT_EQ((*ripper_)->put_driveNum(put), S_OK);
        EXPECT_EQ(Long(&IAudioCDRipper::get_driveNum), selected) << put;
    }
    EXPECT_TRUE(ripper_->events().empty());
}

TEST_F(DriveSelection, NameFollowsTheSelectedDrive) {
    UseThreeDrives();
    EXPECT_EQ(Name(), "TALVO   , FIRST            v1.0  (0:1:0)");
    (*ripper_)->put_driveNum(3);
    EXPECT_EQ(Name(), "TALVO   , THIRD            v1.0  (1:0:0)");
}

TEST_F(DriveSelection, LetterIsTheMatchingCdDriveLetter) {
    fakecd::SetCdLetters("CEH");
    UseThreeDrives();
    EXPECT_EQ(Letter(), "C:");
    (*ripper_)->put_driveNum(3);
    EXPECT_EQ(Letter(), "H:");
    fakecd::SetCdLetters("E");
    EXPECT_EQ(Letter(), "");
}

TEST_F(DriveSelection, ReadTypeReopensTheDrive) {
    UseThreeDrives();
    ASSERT_EQ((*ripper_)->put_driveReadType(CDRT_READ10), S_OK);
    ReadTypeConstants type = CDRT_ANY;
    EXPECT_EQ((*ripper_)->get_driveReadType(&type), S_OK);
    EXPECT_EQ(type, CDRT_READ10);
    // The drive is open now: Eject acts on it.
    EXPECT_EQ((*ripper_)->Eject(), S_OK);
    EXPECT_TRUE(ripper_->events().empty());
}

class DiscRefresh : public RipperTest {
protected:
    std::vector<std::string> ControlCommands() { return ControlCommandsOf(Commands()); }
    std::vector<LONG> Durations() {
        std::vector<LONG> durations;
        const LONG count = Long(&IAudioCDRipper::get_trackCount);
        for (LONG track = 1; track <= count; ++track) {
            (*ripper_)->put_trackNum(track);
            durations.push_back(Long(&IAudioCDRipper::get_trackDuration));
        }
        return durations;
    }
    CDDiskTypeConstants Type() {
        CDDiskTypeConstants type = static_cast<CDDiskTypeConstants>(kUnwritten);
        EXPECT_EQ((*ripper_)->get_cdType(&type), S_OK);
        return type;
    }
};

TEST_F(DiscRefresh, AudioDiscGivesItsTracksLengthsTypeAndIdentifier) {
    fakecd::SetTrackLength(3, 0, 42);  // the device agrees with the TOC
    UseDisc({"audio 0:30.10", "audio 1:00", "audio 0:42"});
    OpenAndRefresh();
    EXPECT_EQ(Long(&IAudioCDRipper::get_trackCount), 3);
    // 2260 frames of 588 samples at 44100 Hz: 30133.3 ms, rounded.
    EXPECT_EQ(Durations(), (std::vector<LONG>{30133, 60000, 42000}));
    (*ripper_)->put_trackNum(1);
    EXPECT_EQ(Long(&IAudioCDRipper::get_trackSamples), 2260 * 588);
    EXPECT_EQ(Type(), REDBOOK);
    EXPECT_EQ(Long(&IAudioCDRipper::get_cdID), DiscIdOf({2260, 4500, 3150}));
    EXPECT_TRUE(ripper_->events().empty());
}

TEST_F(DiscRefresh, TrackNumIsClampedToTheTracks) {
    UseDisc({"audio 0:30", "audio 0:20", "audio 0:10"});
    OpenAndRefresh();
    const std::pair<LONG, LONG> cases[] = {{2, 2}, {0, 1}, {-1, 1}, {7, 3}};
    for (const auto& [put, selected] : cases) {
        (*ripper_)->put_trackNum(put);
        EXPECT_EQ(Long(&IAudioCDRipper::get_trackNum), selected) << put;
    }
}

TEST_F(DiscRefresh, MixedModeDiscKeepsItsAudioTracksAndCorrectsTheLast) {
    fakecd::SetTrackLength(10, 0, 40);
    UseDisc({"audio 0:10", "audio 0:10", "audio 0:10", "audio 0:10", "audio 0:10", "audio 0:10", "audio 0:10",
             "audio 0:10", "audio 0:10", "audio 0:40.30", "mode1 1:00"});
    OpenAndRefresh();
    EXPECT_EQ(Long(&IAudioCDRipper::get_trackCount), 10);
    std::vector<LONG> expected(9, 10000);
    expected.push_back(40000);  // whole seconds from the device, its frames dropped
    EXPECT_EQ(Durations(), expected);
    EXPECT_EQ(Type(), BLUEBOOK);
    // The device was asked for the length of track 10 on the CD drive D:.
    const auto calls = fakecd::Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].message, static_cast<UINT>(MCI_OPEN));
    EXPECT_EQ(calls[0].flags, static_cast<DWORD_PTR>(MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT |
                                                     MCI_OPEN_SHAREABLE));
    EXPECT_EQ(calls[0].deviceType, static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO));
    EXPECT_EQ(calls[0].element, "D:");
    EXPECT_EQ(calls[1].message, static_cast<UINT>(MCI_STATUS));
    EXPECT_EQ(calls[1].flags, static_cast<DWORD_PTR>(MCI_STATUS_ITEM | MCI_TRACK));
    EXPECT_EQ(calls[1].item, static_cast<DWORD>(MCI_STATUS_LENGTH));
    EXPECT_EQ(calls[1].track, 10u);
    EXPECT_EQ(calls[2].message, static_cast<UINT>(MCI_CLOSE));
}

TEST_F(DiscRefresh, EnhancedDiscsLastAudioTrackEndsWhereTheDeviceSays) {
    fakecd::SetTrackLength(2, 0, 20);
    UseDisc({"audio 0:30", "audio 0:20", "mode1 1:00 session=2"});
    OpenAndRefresh();
    // By the TOC the second track would run into the gap before the second session.
    EXPECT_EQ(Durations(), (std::vector<LONG>{30000, 20000}));
    EXPECT_EQ(Type(), BLUEBOOK);
}

TEST_F(DiscRefresh, DeviceAnswerUnderFiveSecondsKeepsTheTocLength) {
    fakecd::SetTrackLength(2, 0, 4);
    UseDisc({"audio 0:30", "audio 0:20"});
    OpenAndRefresh();
    EXPECT_EQ(Durations(), (std::vector<LONG>{30000, 20000}));
}

TEST_F(DiscRefresh, WithoutTheDeviceTheTocLengthStands) {
    fakecd::SetCdLetters("");
    UseDisc({"audio 0:30", "audio 0:20"});
    OpenAndRefresh();
    EXPECT_EQ(Durations(), (std::vector<LONG>{30000, 20000}));
    EXPECT_TRUE(fakecd::Calls().empty());
}

TEST_F(DiscRefresh, SixtyTrackAudioDiscIsBlueBookFiftyIsRedBook) {
    for (const int tracks : {60, 50}) {
        simdrive::ConfigText config = Config();
        config.Drive("0:1:0").Key("disc", "many").Disc("many");
        for (int track = 0; track < tracks; ++track) config.Track("audio 80");
        Use(config);
        OpenAndRefresh();
        EXPECT_EQ(Long(&IAudioCDRipper::get_trackCount), tracks);
        EXPECT_EQ(Type(), tracks == 60 ? BLUEBOOK : REDBOOK);
        (*ripper_)->DriverClose();
    }
}

TEST_F(DiscRefresh, DataDiscHasNoTracksAndIdentifierZero) {
    UseDisc({"mode1 2:00"});
    OpenAndRefresh();
    EXPECT_EQ(Long(&IAudioCDRipper::get_trackCount), 0);
    EXPECT_EQ(Long(&IAudioCDRipper::get_trackDuration), 0);
    EXPECT_EQ(Type(), YELLOWBOOK);
    EXPECT_EQ(Long(&IAudioCDRipper::get_cdID), 0);
}

TEST_F(DiscRefresh, EmptyDriveRefreshesQuietlyToNoMedia) {
    simdrive::ConfigText config = Config();
    config.Drive("0:1:0");
    Use(config);
    OpenAndRefresh();
    EXPECT_EQ(Long(&IAudioCDRipper::get_trackCount), 0);
    EXPECT_EQ(Type(), UNRECOGNIZED);
    // Refresh closed the drive again.
    EXPECT_EQ(Long(&IAudioCDRipper::get_cdID), 0);
    (*ripper_)->Eject();
    EXPECT_EQ(ripper_->errors(), std::vector<LONG>{OPERATION_FAILED});
}

// Refresh reloads the drive layer and reads the disc straight after: nothing of the reload may
// still be under way when the next reading begins.
TEST_F(DiscRefresh, ADiscPutInAfterAnEmptyRefreshIsReadByTheVeryNextOne) {
    simdrive::ConfigText config = Config();
    config.Drive("0:1:0");
    config.Disc("album").Track("audio 0:30").Track("audio 0:20");
    Use(config);
    OpenAndRefresh();
    ASSERT_EQ(Long(&IAudioCDRipper::get_trackCount), 0);
    PutDisc("album");
    ASSERT_EQ((*ripper_)->Refresh(), S_OK);
    EXPECT_EQ(Durations(), (std::vector<LONG>{30000, 20000}));
    EXPECT_EQ(Type(), REDBOOK);
    EXPECT_EQ(Long(&IAudioCDRipper::get_cdID), DiscIdOf({2250, 1500}));
    EXPECT_TRUE(ripper_->events().empty());
}

TEST_F(DiscRefresh, EachDriveChosenInTurnIsReadAtOnce) {
    simdrive::ConfigText config = Config();
    config.Drive("0:1:0").Key("disc", "short");
    config.Drive("0:2:0").Key("disc", "long");
    config.Disc("short").Track("audio 0:10");
    config.Disc("long").Track("audio 1:00").Track("audio 2:00").Track("audio 0:40");
    Use(config);
    ASSERT_EQ((*ripper_)->DriverOpen(), S_OK);
    const std::vector<LONG> shortDisc{10000}, longDisc{60000, 120000, 40000};
    for (const LONG drive : {1, 2, 1, 2}) {
        ASSERT_EQ((*ripper_)->put_driveNum(drive), S_OK);
        ASSERT_EQ((*ripper_)->Refresh(), S_OK);
        EXPECT_EQ(Durations(), drive == 1 ? shortDisc : longDisc) << drive;
    }
    EXPECT_TRUE(ripper_->events().empty());
}

TEST_F(DiscRefresh, AfterDriverCloseTheMissingTransportIsReported) {
    UseDisc({"audio 0:30"});
    OpenAndRefresh();
    ASSERT_EQ((*ripper_)->DriverClose(), S_OK);
    EXPECT_EQ(Long(&IAudioCDRipper::get_cdID), kUnwritten);
    EXPECT_EQ((*ripper_)->Eject(), S_OK);
    EXPECT_EQ(ripper_->errors(), (std::vector<LONG>{ASPI_DRIVER, ASPI_DRIVER}));
}

TEST_F(DiscRefresh, EjectOpensTheTrayWithoutAnError) {
    UseDisc({"audio 0:30"});
    OpenAndRefresh();
    Mark();
    ASSERT_EQ((*ripper_)->Eject(), S_OK);
    // ALLOW MEDIUM REMOVAL, then START STOP UNIT (at once) with LoEj and not Start.
    EXPECT_EQ(ControlCommands(), (std::vector<std::string>{"1E 00 00 00 00", "1B 01 00 00 02"}));
    EXPECT_EQ(ripper_->count(kErrorEvent), 0);
}

}  // namespace
