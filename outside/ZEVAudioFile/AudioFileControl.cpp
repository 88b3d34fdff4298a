#include "outside/ZEVAudioFile/AudioFileControl.h"

#include "com/Bstr.h"
#include "com/SampleBlock.h"
#include "outside/ZEVAudioFile/FileName.h"

#include <algorithm>
#include <limits>

using namespace audiofile;

namespace {

constexpr LONG kReadMode = 0;
constexpr LONG kSixteenBitSamples = 1;
constexpr LONG kSampleFrameUnit = 3;

static_assert(static_cast<LONG>(OpenError::cannotOpen) == AFE_CANNOT_OPEN &&
              static_cast<LONG>(OpenError::unknownType) == AFE_UNKNOWN_TYPE &&
              static_cast<LONG>(OpenError::badContent) == AFE_BAD_CONTENT);

HRESULT getValue(LONG value, LONG* out) {
  if (!out) return E_POINTER;
  *out = value;
  return S_OK;
}

LONG clampToLong(int64_t value) {
  return static_cast<LONG>(std::min<int64_t>(value, std::numeric_limits<LONG>::max()));
}

}  // namespace

STDMETHODIMP AudioFileControl::OpenFile(BSTR FileName, LONG Mode, LONG SampleType) {
  return com::guarded([&] {
    CloseFile();
    if (Mode != kReadMode || SampleType != kSixteenBitSamples) {
      openError_ = AFE_BAD_ARGUMENTS;
      return S_OK;
    }
    const std::wstring path(com::view(FileName));
    // Without the WMA switch a .wma name is just another unknown kind.
    if (!wmaEnabled_ && lowerExtension(path) == L"wma") {
      openError_ = AFE_UNKNOWN_TYPE;
      return S_OK;
    }
    OpenedReader opened = openAudioReader(path);
    openError_ = static_cast<LONG>(opened.error);
    reader_ = std::move(opened.reader);
    return S_OK;
  });
}

STDMETHODIMP AudioFileControl::CloseFile() {
  reader_.reset();
  openError_ = AFE_NONE;
  position_ = 0;
  return S_OK;
}

STDMETHODIMP AudioFileControl::Seek(LONG Position, LONG Unit, LONG* Reached) {
  if (!Reached) return E_POINTER;
  if (Unit != kSampleFrameUnit) return E_INVALIDARG;
  if (reader_) {
    const int64_t reached = reader_->seek(std::max<LONG>(Position, 0));
    if (reached < 0) return E_FAIL;
    position_ = reached;
  }
  *Reached = clampToLong(position_);
  return S_OK;
}

STDMETHODIMP AudioFileControl::ReadSamples(LONG Count, SAFEARRAY** Samples) {
  if (!Samples) return E_POINTER;
  return com::guarded([&] {
    size_t frames = 0;
    if (reader_ && Count > 0) {
      const size_t channels = static_cast<size_t>(reader_->format().channels);
      const auto wanted = static_cast<size_t>(std::min<int64_t>(Count, reader_->totalFrames() - position_));
      buffer_.resize(wanted * channels);
      frames = reader_->read(buffer_.data(), wanted);
      position_ += static_cast<int64_t>(frames);
      buffer_.resize(frames * channels);
    }
    return com::makeSampleBlock(frames ? std::span<const int16_t>(buffer_) : std::span<const int16_t>(), Samples);
  });
}

STDMETHODIMP AudioFileControl::get_TotalSamples(LONG* pVal) {
  return getValue(reader_ ? clampToLong(reader_->totalFrames()) : 0, pVal);
}

STDMETHODIMP AudioFileControl::get_OpenError(LONG* pVal) { return getValue(openError_, pVal); }

STDMETHODIMP AudioFileControl::get_FormatA(LONG* pVal) { return getValue(reader_ ? reader_->format().sampleRate : 0, pVal); }

STDMETHODIMP AudioFileControl::get_FormatB(LONG* pVal) { return getValue(reader_ ? reader_->format().channels : 0, pVal); }

STDMETHODIMP AudioFileControl::get_WmaFormatEnabled(VARIANT_BOOL* pVal) {
  if (!pVal) return E_POINTER;
  *pVal = wmaEnabled_ ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

STDMETHODIMP AudioFileControl::put_WmaFormatEnabled(VARIANT_BOOL newVal) {
  wmaEnabled_ = newVal != VARIANT_FALSE;
  return S_OK;
}
