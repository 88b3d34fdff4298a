// Sample blocks as the display's host hands them over: SAFEARRAYs of 16-bit samples.
#pragma once

#include "com/SafeArray.h"

#include <cstdint>

// A one-dimensional array of type with count elements from lowerBound, every element value.
inline com::safearray sampleArray(size_t count, int16_t value, VARTYPE type = VT_I2, LONG lowerBound = 0) {
    SAFEARRAYBOUND bound{static_cast<ULONG>(count), lowerBound};
    com::safearray block(SafeArrayCreate(type, 1, &bound));
    if (type == VT_I2) {
        com::safearray_data<int16_t> data(block.get());
        for (int16_t& sample : data) sample = value;
    }
    return block;
}
