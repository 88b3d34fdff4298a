// The track properties: the current track and the lengths of the audio tracks Refresh found.
#include "ripper/AudioCDRipper.h"

namespace {

constexpr int kSampleRate = 44100;

}  // namespace

STDMETHODIMP AudioCDRipper::get_trackNum(LONG* pVal) {
    if (!pVal) return E_POINTER;
    return member([&]() -> Raised {
        log_.line("GetTrarckNum Property");
        if (mediaChangedGate()) return MEDIA_CHANGED;
        *pVal = trackIndex_ + 1;
        log_.line("Track Num is:", trackIndex_ + 1);
        log_.line("GetTrackNum Property end");
        log_.line("");
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::put_trackNum(LONG newVal) {
    return member([&]() -> Raised {
        log_.line("PutTrackNum Property. Parameter: ", newVal);
        if (ripInProgress_) return std::nullopt;
        if (mediaChangedGate()) return MEDIA_CHANGED;
        trackIndex_ = static_cast<int>(ClampSelection(newVal, static_cast<long>(tracks_.size()))) - 1;
        log_.line("Track Num is:", trackIndex_ + 1);
        log_.line("PutTrackNum Property end.");
        log_.line("");
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_trackCount(LONG* pVal) {
    if (!pVal) return E_POINTER;
    return member([&]() -> Raised {
        log_.line("GetTrackCount Property");
        if (mediaChangedGate()) return MEDIA_CHANGED;
        *pVal = static_cast<LONG>(tracks_.size());
        log_.line("Track Count is", *pVal);
        log_.line("GetTrackCount Property end.");
        log_.line("");
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_trackDuration(LONG* pVal) {
    return trackLength(pVal, [](std::int32_t samples) -> LONG { return MulDiv(samples, 1000, kSampleRate); });
}

STDMETHODIMP AudioCDRipper::get_trackSamples(LONG* pVal) {
    return trackLength(pVal, [](std::int32_t samples) -> LONG { return samples; });
}

// With no tracks the current track has no length.
HRESULT AudioCDRipper::trackLength(LONG* pVal, LONG (*unit)(std::int32_t samples)) {
    if (!pVal) return E_POINTER;
    return member([&]() -> Raised {
        if (mediaChangedGate()) return MEDIA_CHANGED;
        const std::int32_t frames = tracks_.empty() ? 0 : tracks_[trackIndex_].frames;
        *pVal = unit(frames * kSamplesPerFrame);
        return std::nullopt;
    });
}
