// The file a WAV rip writes, through the COM interface: a rip that is refused or fails before
// it has any audio leaves a file of that name as it was, and names that cannot be a file are
// refused with FILE_ACCESS without writing anything.
#include "RipTest.h"

#include "com/Bstr.h"

#include "TestFiles.h"

namespace {

constexpr char kKept[] = "an earlier rip's file, not to be lost";

class RipOutput : public RipTest {
protected:
    std::string KeptPath() { return OutputPath("keep.wav"); }
    void WriteKept() { ASSERT_TRUE(simdrive::WriteTextFile(KeptPath(), kKept)); }
    void ExpectKept() { EXPECT_EQ(simdrive::ReadTextFile(KeptPath()), kKept); }
    // Waits until the rip's worker has raised `code`.
    bool WaitForError(LONG code) {
        return ripper_->pumpUntil(
            [&] {
                for (LONG error : ripper_->errors())
                    if (error == code) return true;
                return false;
            },
            10000);
    }
    void RipRaw(const std::wstring& name) { ASSERT_EQ(ripper_->get()->RipTrackToWav(com::bstr(name).get()), S_OK); }
};

TEST_F(RipOutput, RipRefusedByItsWorkerLeavesTheExistingFile) {
    UseDisc({"audio 200", "audio 400"});
    WriteKept();
    // Before DriverOpen the worker finds no drive to open.
    StartRip(&IAudioCDRipper::RipTrackToWav, "keep");
    ASSERT_TRUE(WaitForError(DRIVE_BUSY));
    ripper_->pumpFor(200);
    ExpectKept();
}

struct Format {
    HRESULT (STDMETHODCALLTYPE IAudioCDRipper::*method)(BSTR);
    const char* extension;
};

// One format a test, each on a drive of its own: after a rip on a drive that is not ready,
// the media check may take the disc for gone, and the next rip is then refused outright.
class RipFailingEarly : public RipOutput, public ::testing::WithParamInterface<Format> {};

TEST_P(RipFailingEarly, LeavesTheExistingFileAsItWas) {
    // A drive that stays "becoming ready": the rip finds no disc it can read.
    OpenDisc({"notready = 1-100000"});
    Choose(BURST);
    const std::string path = OutputPath(std::string("keep") + GetParam().extension);
    ASSERT_TRUE(simdrive::WriteTextFile(path, kKept));
    StartRip(GetParam().method, "keep");
    // The rip waits four seconds for the drive at its start and at its end.
    ASSERT_TRUE(WaitForRipOver(30000)) << ::testing::PrintToString(ripper_->errors());
    EXPECT_EQ(ripper_->errors(), std::vector<LONG>{MEDIA_CHANGED});
    EXPECT_EQ(simdrive::ReadTextFile(path), kKept);
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, RipFailingEarly,
                         ::testing::Values(Format{&IAudioCDRipper::RipTrackToWav, ".wav"},
                                           Format{&IAudioCDRipper::RipTrackToMP3, ".mp3"},
                                           Format{&IAudioCDRipper::RipTrackToOGG, ".ogg"},
                                           Format{&IAudioCDRipper::RipTrackToWMA, ".wma"}),
                         [](const auto& info) { return std::string(info.param.extension + 1); });

TEST_F(RipOutput, RipReplacesTheExistingFileOnceItHasAudio) {
    OpenDisc();
    Choose(BURST);
    WriteKept();
    ASSERT_TRUE(RipWav("keep"));
    EXPECT_TRUE(RippedWav("keep").data == Track());
    EXPECT_TRUE(ripper_->errors().empty());
}

TEST_F(RipOutput, NamesThatCannotBeAFileAreRefusedAndWriteNothing) {
    OpenDisc();
    Choose(BURST);
    const std::string victim = OutputPath("victim");
    ASSERT_TRUE(simdrive::WriteTextFile(victim, kKept));
    const std::wstring folder = com::bstr::from_ansi(ScratchFolder()).get();
    RipRaw(folder + L"victim" + std::wstring(1, L'\0') + L"tail");
    RipRaw(L"");
    RipRaw(folder);
    RipRaw(folder + L"sub/");
    EXPECT_EQ(ripper_->errors(), std::vector<LONG>(4, FILE_ACCESS));
    ripper_->pumpFor(300);
    EXPECT_TRUE(Arguments(kRipProgressEvent).empty()) << "no rip started";
    EXPECT_EQ(simdrive::ReadTextFile(victim), kKept);
    for (const char* stray : {"victim.wav", ".wav", "sub\\.wav"})
        EXPECT_EQ(GetFileAttributesA(OutputPath(stray).c_str()), INVALID_FILE_ATTRIBUTES) << stray;
    EXPECT_EQ(GetFileAttributesA(".wav"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RipOutput, ReadOnlyFileOfTheNameIsRefusedAndKept) {
    OpenDisc();
    Choose(BURST);
    WriteKept();
    ASSERT_TRUE(SetFileAttributesA(KeptPath().c_str(), FILE_ATTRIBUTE_READONLY));
    StartRip(&IAudioCDRipper::RipTrackToWav, "keep");
    EXPECT_EQ(ripper_->errors(), std::vector<LONG>{FILE_ACCESS});
    SetFileAttributesA(KeptPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    ExpectKept();
    // The worker started for the refused rip reads nothing, and the object is free again.
    ripper_->pumpFor(300);
    EXPECT_TRUE(Arguments(kRipProgressEvent).empty());
    ASSERT_TRUE(RipWav("next"));
    EXPECT_TRUE(RippedWav("next").data == Track());
    EXPECT_EQ(ripper_->errors(), std::vector<LONG>{FILE_ACCESS});
}

}  // namespace
