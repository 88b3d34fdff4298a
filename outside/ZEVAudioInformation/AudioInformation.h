// AudioInformation: the application's reader and writer of tags, and its source of playing
// times and the genre list. An automation object the application creates by class identifier.
#pragma once

#include "com/Dispatch.h"
#include "com/Object.h"
#include "outside/ZEVAudioInformation/TagFile.h"

#include "ZEVAudioInformation.h"

#include <cstdint>
#include <optional>
#include <string>

class AudioInformation final : public com::Object<com::Dispatch<IAudioInformation>> {
 public:
  STDMETHODIMP OpenFile(BSTR FileName, VARIANT_BOOL* Opened) override;
  STDMETHODIMP SaveTags(BSTR FileName, VARIANT_BOOL* Saved) override;
  STDMETHODIMP GenreName(LONG Index, BSTR* Name) override;
  STDMETHODIMP get_infoTitle(BSTR* pVal) override;
  STDMETHODIMP put_infoTitle(BSTR newVal) override;
  STDMETHODIMP get_infoArtist(BSTR* pVal) override;
  STDMETHODIMP put_infoArtist(BSTR newVal) override;
  STDMETHODIMP get_infoAlbum(BSTR* pVal) override;
  STDMETHODIMP put_infoAlbum(BSTR newVal) override;
  STDMETHODIMP get_infoGenre(short* pVal) override;
  STDMETHODIMP put_infoGenre(short newVal) override;
  STDMETHODIMP get_infoYear(LONG* pVal) override;
  STDMETHODIMP put_infoYear(LONG newVal) override;
  STDMETHODIMP get_Duration(LONG* pVal) override;
  STDMETHODIMP get_TotalSamples(LONG* pVal) override;

 private:
  HRESULT putText(std::wstring audioinfo::Tags::*field, std::optional<std::wstring> audioinfo::TagChanges::*change,
                  BSTR value);
  template <class Out>
  HRESULT getNumber(int audioinfo::Tags::*field, Out* out);
  HRESULT putNumber(int audioinfo::Tags::*field, std::optional<int> audioinfo::TagChanges::*change, int value);

  // Its TotalSamples, when finding the duration did not count them, is counted at the first
  // read of TotalSamples, which a folder listing never makes: for WMA that decodes the file.
  audioinfo::FileInfo info_;
  audioinfo::TagChanges changes_;  // written since OpenFile
  std::wstring openedPath_;        // empty when the last OpenFile failed
};
