// Sample blocks as they cross the COM boundary between the ripper, the outside components and
// the application: one-dimensional, zero-based SAFEARRAYs of VT_I2 holding interleaved 16-bit
// samples.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <span>

namespace com {

// True only for a sample block of that exact shape; anything else (other element types or
// sizes, more dimensions, another lower bound) must not be read as samples.
bool isSampleBlock(SAFEARRAY* array);

// A new sample block holding a copy of samples; E_OUTOFMEMORY when it cannot be made.
HRESULT makeSampleBlock(std::span<const int16_t> samples, SAFEARRAY** out);

}  // namespace com
