// The CDDB settings and the look-up of the disc's titles.
#include "ripper/AudioCDRipper.h"

void AudioCDRipper::setCddbDefaults() {
    cddb_.serverAddress = "gnudb.gnudb.org";
    cddb_.cgiScript = "/~cddb/cddb.cgi";
    cddb_.serverPort = 80;
    cddb_.agentName = "ZEVDiscRipper 1.5";
    cddb_.userEMail = "user@localhost";
    cddb_.writeBack = true;
    cddb_.timeOut = 4000;
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
