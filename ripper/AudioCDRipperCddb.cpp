// The CDDB settings and the look-up of the disc's titles.
#include "ripper/AudioCDRipper.h"

#include "CddbSettings.h"

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

// The look-up and the CDDB properties are not built yet.
STDMETHODIMP AudioCDRipper::GetCDDBInfo(CDDBSourceConstants, VARIANT_BOOL*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::get_cddbTimeOut(LONG*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::put_cddbTimeOut(LONG) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::get_cddbServerAddress(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::put_cddbServerAddress(BSTR) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::get_cddbAgentName(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::put_cddbAgentName(BSTR) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::get_cddbServerHTTPPort(LONG*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::put_cddbServerHTTPPort(LONG) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::get_cddbUserEMail(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::put_cddbUserEMail(BSTR) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::get_cddbCGIScript(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::put_cddbCGIScript(BSTR) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::get_cddbInfoArtist(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::get_cddbInfoAlbum(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::get_cddbInfoGenre(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::get_cddbInfoTitle(BSTR*) { return E_NOTIMPL; }
