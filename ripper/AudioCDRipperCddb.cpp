// The CDDB settings and the look-up of the disc's titles.
//
// A text put to a setting is cut to the 80 characters its field holds (and at an embedded
// zero) before it is stored and handed to the drive layer, which keeps what its own settings
// hold of it.
#include "ripper/AudioCDRipper.h"

#include "com/Bstr.h"
#include "com/CallServingWait.h"
#include "ripper/CddbLookupSource.h"

#include "CddbClient.h"
#include "CddbSettings.h"
#include "DriveTransport.h"

#include <cstring>

namespace {

constexpr std::size_t kCddbTextField = 80;
constexpr int kMatchRoom = 5;

// _IAudioCDRipperEvents
constexpr DISPID kCDDBQueryStatus = 5;

// A field of a match, which the client fills with zero-terminated text.
template <std::size_t N>
std::string matchText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

// The query or the read of a look-up pass. On-line it is waited for on a thread of its own while
// this one serves calls; the cdplayer.ini pass needs neither the network nor the thread.
void askCddb(int online, const std::function<void()>& ask) {
    if (online) {
        com::RunServingCalls(ask);
    } else {
        ask();
    }
}

}  // namespace

void AudioCDRipper::setCddbDefaults() {
    cddb_.serverAddress = cddb::kDefaultServer;
    cddb_.cgiScript = cddb::kDefaultCgiScript;
    cddb_.serverPort = cddb::kDefaultServerPort;
    cddb_.agentName = "ZEVDiscRipper 1.5";
    cddb_.userEMail = cddb::kDefaultUserEMail;
    cddb_.writeBack = true;
    cddb_.timeOut = 4000;
    cddb::SetCDDBSetting(cddb::kServerHost, cddb_.serverAddress.c_str(), 0);
    cddb::SetCDDBSetting(cddb::kCgiScript, cddb_.cgiScript.c_str(), 0);
    cddb::SetCDDBSetting(cddb::kUserEMail, cddb_.userEMail.c_str(), 0);
    cddb::SetCDDBSetting(cddb::kClientName, cddb_.agentName.c_str(), 0);
    cddb::SetCDDBSetting(cddb::kServerPort, nullptr, cddb_.serverPort);
    cddb::SetCDDBSetting(cddb::kWriteIni, nullptr, cddb_.writeBack ? 1 : 0);
    cddb_.artist.clear();
    cddb_.album.clear();
    cddb_.genre.clear();
    for (std::string& title : cddb_.titles) title.clear();
    cddb_.resultValid = false;
}

STDMETHODIMP AudioCDRipper::GetCDDBInfo(CDDBSourceConstants cddbSource, VARIANT_BOOL* pVal) {
    if (!pVal) return E_POINTER;
    *pVal = VARIANT_FALSE;
    bool ready = false;
    std::uint64_t generation = 0;
    member([&]() -> Raised {
        log_.line("Get CDDB Info");
        if (mediaChangedGate()) return MEDIA_CHANGED;
        if (!scsiManagerLoaded_) return ASPI_DRIVER;
        if (!cdHandle_) return DRIVE_BUSY;
        ready = true;
        generation = discGeneration_;
        return std::nullopt;
    });
    if (!ready) return S_OK;
    // The look-up serves calls while it waits, and a sink may let the object go meanwhile.
    const com::ptr<IAudioCDRipper> alive(this);
    return com::guarded([&] {
        const CddbLookupPlan plan = PlanCddbLookup(cddbSource);
        log_.line(plan.logText);
        for (int pass = 0; pass < plan.passes; ++pass) {
            if (lookUpCddb(plan.online[pass], generation)) {
                *pVal = VARIANT_TRUE;
                return S_OK;
            }
        }
        std::lock_guard lock(state_);
        cddb_.resultValid = false;
        return S_OK;
    });
}

// The events go out without the state lock, so that a sink may use the object freely. The
// lock is held only while the disc is read and the answer stored: the network is waited for
// without it, and on a thread of its own while this one serves the calls of the media check and
// of a running rip, which would otherwise stand still for as long as the server keeps silent.
// Those calls, a sink or a device change may read another disc or drive meanwhile: the answer
// is then for a disc no longer there, and neither kept nor written to cdplayer.ini.
bool AudioCDRipper::lookUpCddb(int online, std::uint64_t generation) {
    fire(kCDDBQueryStatus, QUERY);
    cddb::QueryDisc disc;
    int timeOut = 0;
    {
        std::lock_guard lock(state_);
        if (discGeneration_ != generation) return false;
        cddb_.online = online != 0;
        timeOut = cddb_.timeOut;
        if (!cddb::ReadQueryDisc(cdHandle_, &disc)) return false;
    }
    std::array<cddb::CddbMatch, kMatchRoom> matches{};
    cddb::CddbMatchList list{kMatchRoom, matches.data()};
    int queried = drive::kLayerFailure;
    askCddb(online, [&] { queried = cddb::QueryCDDB(disc, &list, online, timeOut); });
    if (queried != drive::kLayerSuccess || list.count < 1) return false;

    fire(kCDDBQueryStatus, PROCESSANSWER);
    // Room for any entry the client reads, however many tracks and notes it has.
    std::vector<char> entry(cddb::kEntryTextSize);
    int read = drive::kLayerFailure;
    askCddb(online, [&] { read = cddb::FetchCDDBEntry(&matches[0], entry.data(), cddb::kEntryTextSize - 1); });
    if (read != drive::kLayerSuccess) return false;
    std::lock_guard lock(state_);
    if (discGeneration_ != generation || mediaChanged_) return false;
    if (online) cddb::StoreCDDBEntry(matches[0], entry.data());
    storeCddbResult(matches[0], entry.data());
    return true;
}

void AudioCDRipper::storeCddbResult(const cddb::CddbMatch& match, const char* entry) {
    cddb_.resultValid = false;
    cddb_.artist = matchText(match.artist);
    cddb_.album = matchText(match.title);
    cddb_.genre = matchText(match.category);
    for (std::string& title : cddb_.titles) title.clear();
    cddb::ReadEntryTitles(entry, cddb_.titles, [&](int index, const std::string& title) {
        log_.line("Title = ", index);
        log_.line(title);
    });
    cddb_.discId = discId_;
    cddb_.resultValid = true;
}

STDMETHODIMP AudioCDRipper::get_cddbTimeOut(LONG* pVal) {
    if (!pVal) return E_POINTER;
    return member([&]() -> Raised {
        log_.line("GetCDDBTimeOut Property");
        if (mediaChangedGate()) return MEDIA_CHANGED;
        log_.line("CDDB TimeOut is:", cddb_.timeOut);
        *pVal = cddb_.timeOut;
        log_.line("GetCDDBTimeOut Property end.");
        log_.line("");
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::put_cddbTimeOut(LONG newVal) {
    return member([&]() -> Raised {
        log_.line("PutCDDBTimeOut Property. Parameter: ", newVal);
        if (mediaChangedGate()) return MEDIA_CHANGED;
        if (newVal < 0) return INVALID_PARAM;
        cddb_.timeOut = newVal;
        log_.line("New CDDB TimeOut is:", newVal);
        log_.line("PutCDDBTimeOut Property end.");
        log_.line("");
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_cddbServerAddress(BSTR* pVal) {
    return getCddbText(pVal, "GetCDDBServerAdress Property...", &CddbFields::serverAddress, false);
}

STDMETHODIMP AudioCDRipper::put_cddbServerAddress(BSTR newVal) {
    return putCddbText(newVal, "PutCDDBServerAddress Property...", &CddbFields::serverAddress, cddb::kServerHost);
}

STDMETHODIMP AudioCDRipper::get_cddbAgentName(BSTR* pVal) {
    return getCddbText(pVal, "GetCDDBAgentName Property...", &CddbFields::agentName, true);
}

STDMETHODIMP AudioCDRipper::put_cddbAgentName(BSTR newVal) {
    return putCddbText(newVal, "PutCDDBAgentName Property...", &CddbFields::agentName, cddb::kClientName);
}

STDMETHODIMP AudioCDRipper::get_cddbServerHTTPPort(LONG* pVal) {
    if (!pVal) return E_POINTER;
    return member([&]() -> Raised {
        log_.line("GetCDDBServerHTTPPort Property");
        if (mediaChangedGate()) return MEDIA_CHANGED;
        log_.line("CDDB HTTP Port is:", cddb_.serverPort);
        *pVal = cddb_.serverPort;
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::put_cddbServerHTTPPort(LONG newVal) {
    return member([&]() -> Raised {
        log_.line("PutCDDBServerHTTPPort Property...");
        if (mediaChangedGate()) return MEDIA_CHANGED;
        cddb::SetCDDBSetting(cddb::kServerPort, nullptr, newVal);
        cddb_.serverPort = newVal;
        log_.line("New CDDB HTTP Port is:", newVal);
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_cddbUserEMail(BSTR* pVal) {
    return getCddbText(pVal, "GetCDDBUserEMail Property", &CddbFields::userEMail, true);
}

STDMETHODIMP AudioCDRipper::put_cddbUserEMail(BSTR newVal) {
    return putCddbText(newVal, "PutCDDBUserEMail Property", &CddbFields::userEMail, cddb::kUserEMail);
}

STDMETHODIMP AudioCDRipper::get_cddbCGIScript(BSTR* pVal) {
    return getCddbText(pVal, "GetCDDBCGIScript Property", &CddbFields::cgiScript, true);
}

STDMETHODIMP AudioCDRipper::put_cddbCGIScript(BSTR newVal) {
    return putCddbText(newVal, "PutCDDBCGIScript Property", &CddbFields::cgiScript, cddb::kCgiScript);
}

HRESULT AudioCDRipper::getCddbText(BSTR* pVal, const char* entryLine, std::string CddbFields::*field,
                                   bool logValue) {
    if (!pVal) return E_POINTER;
    return member([&]() -> Raised {
        log_.line(entryLine);
        if (mediaChangedGate()) return MEDIA_CHANGED;
        *pVal = com::bstr::from_ansi(cddb_.*field).detach();
        if (logValue) {
            log_.line(cddb_.*field);
            log_.line("");
        }
        return std::nullopt;
    });
}

HRESULT AudioCDRipper::putCddbText(BSTR newVal, const char* entryLine, std::string CddbFields::*field,
                                   int settingCode) {
    return member([&]() -> Raised {
        log_.line(entryLine);
        if (mediaChangedGate()) return MEDIA_CHANGED;
        const std::string ansi = com::to_ansi(newVal);
        std::string text(ansi.c_str(), strnlen(ansi.c_str(), kCddbTextField));
        cddb::SetCDDBSetting(settingCode, text.c_str(), 0);
        log_.line(text);
        log_.line("");
        cddb_.*field = std::move(text);
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_cddbInfoArtist(BSTR* pVal) {
    return getCddbResult(pVal, "GetCDDBInfoArtist Property", [&] { return cddb_.artist; });
}

STDMETHODIMP AudioCDRipper::get_cddbInfoAlbum(BSTR* pVal) {
    return getCddbResult(pVal, "GetCDDBInfoAlbum Property", [&] { return cddb_.album; });
}

STDMETHODIMP AudioCDRipper::get_cddbInfoGenre(BSTR* pVal) {
    return getCddbResult(pVal, "GetCDDBInfoGenre Property", [&] { return cddb_.genre; });
}

STDMETHODIMP AudioCDRipper::get_cddbInfoTitle(BSTR* pVal) {
    return getCddbResult(pVal, "GetCDDBInfoTitle Property", [&] {
        return trackIndex_ < cddb::kCddbTitleCount ? cddb_.titles[static_cast<std::size_t>(trackIndex_)] : std::string();
    });
}

HRESULT AudioCDRipper::getCddbResult(BSTR* pVal, const char* entryLine, const std::function<std::string()>& result) {
    if (!pVal) return E_POINTER;
    return member([&]() -> Raised {
        log_.line(entryLine);
        if (mediaChangedGate()) return MEDIA_CHANGED;
        const std::string text = cddb_.resultValid ? result() : std::string();
        *pVal = com::bstr::from_ansi(text).detach();
        if (cddb_.resultValid) {
            log_.line(text);
            log_.line("");
        }
        return std::nullopt;
    });
}
