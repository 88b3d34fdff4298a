#include "outside/ZEVAudioInformation/AudioInformation.h"

#include "com/Bstr.h"
#include "outside/ZEVAudioInformation/Genres.h"

#include <algorithm>
#include <limits>

using namespace audioinfo;

namespace {

HRESULT getValue(int64_t value, LONG* out) {
  if (!out) return E_POINTER;
  *out = static_cast<LONG>(std::clamp<int64_t>(value, 0, std::numeric_limits<LONG>::max()));
  return S_OK;
}

VARIANT_BOOL variantBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

}  // namespace

STDMETHODIMP AudioInformation::OpenFile(BSTR FileName, VARIANT_BOOL* Opened) {
  return com::guarded([&] {
    info_ = {};
    changes_ = {};
    openedPath_.clear();
    const std::wstring path(com::view(FileName));
    if (auto info = readFileInfo(path)) {
      info_ = std::move(*info);
      openedPath_ = path;
    }
    if (Opened) *Opened = variantBool(!openedPath_.empty());
    return S_OK;
  });
}

// Tags belong to the file they were read from; another name, or a file that did not open,
// is left as it is.
STDMETHODIMP AudioInformation::SaveTags(BSTR FileName, VARIANT_BOOL* Saved) {
  return com::guarded([&] {
    const std::wstring path(com::view(FileName));
    const bool same = !openedPath_.empty() && CompareStringOrdinal(path.c_str(), static_cast<int>(path.size()),
                                                                   openedPath_.c_str(),
                                                                   static_cast<int>(openedPath_.size()), TRUE) == CSTR_EQUAL;
    const bool saved = same && writeTags(openedPath_, changes_);
    if (Saved) *Saved = variantBool(saved);
    return S_OK;
  });
}

STDMETHODIMP AudioInformation::GenreName(LONG Index, BSTR* Name) {
  return com::guarded([&] { return com::copy_to(Name, genreName(Index)); });
}

HRESULT AudioInformation::putText(std::wstring Tags::*field, std::optional<std::wstring> TagChanges::*change,
                                  BSTR value) {
  return com::guarded([&] {
    info_.tags.*field = com::view(value);
    changes_.*change = info_.tags.*field;
    return S_OK;
  });
}

STDMETHODIMP AudioInformation::get_infoTitle(BSTR* pVal) { return com::copy_to(pVal, info_.tags.title); }
STDMETHODIMP AudioInformation::put_infoTitle(BSTR newVal) { return putText(&Tags::title, &TagChanges::title, newVal); }
STDMETHODIMP AudioInformation::get_infoArtist(BSTR* pVal) { return com::copy_to(pVal, info_.tags.artist); }
STDMETHODIMP AudioInformation::put_infoArtist(BSTR newVal) { return putText(&Tags::artist, &TagChanges::artist, newVal); }
STDMETHODIMP AudioInformation::get_infoAlbum(BSTR* pVal) { return com::copy_to(pVal, info_.tags.album); }
STDMETHODIMP AudioInformation::put_infoAlbum(BSTR newVal) { return putText(&Tags::album, &TagChanges::album, newVal); }

template <class Out>
HRESULT AudioInformation::getNumber(int Tags::*field, Out* out) {
  if (!out) return E_POINTER;
  *out = static_cast<Out>(info_.tags.*field);
  return S_OK;
}

HRESULT AudioInformation::putNumber(int Tags::*field, std::optional<int> TagChanges::*change, int value) {
  info_.tags.*field = value;
  changes_.*change = value;
  return S_OK;
}

STDMETHODIMP AudioInformation::get_infoGenre(short* pVal) { return getNumber(&Tags::genre, pVal); }
STDMETHODIMP AudioInformation::put_infoGenre(short newVal) { return putNumber(&Tags::genre, &TagChanges::genre, newVal); }
STDMETHODIMP AudioInformation::get_infoYear(LONG* pVal) { return getNumber(&Tags::year, pVal); }
STDMETHODIMP AudioInformation::put_infoYear(LONG newVal) { return putNumber(&Tags::year, &TagChanges::year, newVal); }

STDMETHODIMP AudioInformation::get_Duration(LONG* pVal) { return getValue(info_.durationMs, pVal); }
STDMETHODIMP AudioInformation::get_TotalSamples(LONG* pVal) {
  return com::guarded([&] {
    if (!info_.totalSamples) info_.totalSamples = openedPath_.empty() ? 0 : countSamples(openedPath_);
    return getValue(*info_.totalSamples, pVal);
  });
}
