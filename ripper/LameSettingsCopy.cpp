#include "ripper/LameSettingsCopy.h"

#include "com/LateBound.h"
#include "com/Result.h"
#include "ripper/OutputFormats.h"

#include <array>

namespace {

struct Setting {
    const wchar_t* name;
    long (*check)(long);  // null: carried as read
};

// The order in which the encoder is given its settings: the rate and bitrates before what
// depends on them.
constexpr std::array<Setting, 22> kSettings{{
    {L"VbrBitrate", CheckBitrate},
    {L"Frequency", CheckSampleRate},
    {L"Bitrate", CheckBitrate},
    {L"Channels", CheckChannels},
    {L"TypeStereo", CheckStereoMode},
    {L"VbrCodingMethod", CheckCodingMethod},
    {L"AbrBitrate", nullptr},
    {L"ATHControlMode", nullptr},
    {L"BitReservoir", nullptr},
    {L"BlockTypeControl", nullptr},
    {L"Emphasis", nullptr},
    {L"EncoderQuality", nullptr},
    {L"ErrorProtection", nullptr},
    {L"HighPassFrequency", nullptr},
    {L"HighPassWidth", nullptr},
    {L"LowPassFrequency", nullptr},
    {L"LowPassWidth", nullptr},
    {L"ShortBlocks", nullptr},
    {L"StrictISOCompliance", nullptr},
    {L"StrictlyEnforceMinBitrate", nullptr},
    {L"VbrQuality", nullptr},
    {L"WritingVBRHeader", nullptr},
}};

}  // namespace

HRESULT CopyLameSettings(IDispatch* from, IDispatch* to) {
    std::array<com::variant, kSettings.size()> values;
    for (std::size_t i = 0; i < kSettings.size(); ++i) {
        RETURN_IF_FAILED(com::getProperty(from, kSettings[i].name, values[i]));
        if (kSettings[i].check) {
            RETURN_IF_FAILED(values[i].change_type(VT_I4));
            values[i] = com::variant(kSettings[i].check(values[i].get()->lVal));
        }
    }
    for (std::size_t i = 0; i < kSettings.size(); ++i) {
        RETURN_IF_FAILED(com::putProperty(to, kSettings[i].name, values[i]));
    }
    return S_OK;
}
