// The fixture of the CDDB look-ups through the COM interface: a disc in the simulated drive,
// opened and refreshed, a CDDB server on loopback as the one to ask, and the sections of
// cdplayer.ini (in the prefix's Windows folder) a test owns.
#pragma once

#include "CdPlayerIniFile.h"
#include "CddbTestServer.h"
#include "MediaCheckTest.h"

#include "com/Bstr.h"

#include <string>
#include <vector>

constexpr char kIni[] = "cdplayer.ini";
constexpr DISPID kCDDBQueryStatusEvent = 5;

// A section of cdplayer.ini this test owns: gone before the test and after it, since other test
// programs use the same file.
class IniSection {
public:
    explicit IniSection(std::string name) : name_(std::move(name)) { remove(); }
    ~IniSection() { remove(); }
    void write(const char* key, const char* value) { WritePrivateProfileStringA(name_.c_str(), key, value, kIni); }
    // The value as a CD player reads it: blanks around it and quotes around it gone.
    std::string read(const char* key) const {
        char value[256] = {};
        GetPrivateProfileStringA(name_.c_str(), key, "<none>", value, sizeof value, kIni);
        return value;
    }
    // The value as the file holds it, of any length.
    std::string raw(const char* key) const { return test_support::RawCdPlayerIniValue(name_, key); }

private:
    void remove() { WritePrivateProfileStringA(name_.c_str(), nullptr, nullptr, kIni); }
    std::string name_;
};

class Cddb : public MediaCheckTest {
protected:
    IAudioCDRipper* ripper() { return ripper_->get(); }

    // The disc in the drive, opened and refreshed, and the server on loopback as the one to ask.
    void OpenDisc(std::initializer_list<const char*> tracks) {
        UseDisc(tracks);
        Connect();
    }
    // A disc of audio tracks of these lengths in frames.
    void OpenDisc(const std::vector<int>& frames) {
        simdrive::ConfigText config = Config();
        config.Drive("0:1:0").Key("disc", "album").Disc("album");
        for (int length : frames) config.Track("audio " + std::to_string(length));
        Use(config);
        Connect();
    }
    void Connect() {
        OpenAndRefresh();
        ASSERT_EQ(ripper()->put_cddbServerAddress(com::bstr(L"127.0.0.1").get()), S_OK);
        ASSERT_EQ(ripper()->put_cddbServerHTTPPort(server_.port()), S_OK);
        ASSERT_EQ(ripper()->put_cddbTimeOut(3000), S_OK);
        ripper_->clearEvents();
    }

    bool LookUp(CDDBSourceConstants source) {
        VARIANT_BOOL found = 7;
        EXPECT_EQ(ripper()->GetCDDBInfo(source, &found), S_OK);
        EXPECT_TRUE(found == VARIANT_TRUE || found == VARIANT_FALSE) << found;
        return found == VARIANT_TRUE;
    }

    std::string Text(HRESULT (STDMETHODCALLTYPE IAudioCDRipper::*getter)(BSTR*)) {
        com::bstr text;
        EXPECT_EQ((ripper()->*getter)(text.put()), S_OK);
        return com::to_ansi(text.get());
    }

    std::string TitleOf(LONG track) {
        EXPECT_EQ(ripper()->put_trackNum(track), S_OK);
        return Text(&IAudioCDRipper::get_cddbInfoTitle);
    }

    // The query status events so far, in order.
    std::vector<LONG> QueryStatuses() {
        std::vector<LONG> statuses;
        for (const RipperEvent& event : ripper_->events()) {
            if (event.id == kCDDBQueryStatusEvent) statuses.push_back(event.argument);
        }
        return statuses;
    }

    CddbTestServer server_{RIPPER_CDDB_FIXTURES};
};

