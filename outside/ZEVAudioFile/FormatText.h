// The short human texts of an output format, e.g. "MP3 128 kbit/s 44100 Hz stereo".
#pragma once

#include "outside/ZEVAudioFile/LameMp3Settings.h"
#include "outside/ZEVAudioFile/OggEncoder.h"

#include <string>

namespace audiofile {

std::wstring describeMp3(const LameMp3Settings& settings);
std::wstring describeOgg(const OggFormat& format);
// A WMA profile by what it gives, e.g. "WMA 128 kbit/s 44100 Hz stereo".
std::wstring describeWma(long number);

}  // namespace audiofile
