// Helpers for tests that use the registered ZEVAudioDisplay control: registration once per
// program, sample blocks as SAFEARRAYs, and a recording IPropertyNotifySink.
#pragma once

#include "ServerDll.h"
#include "com/Object.h"
#include "com/Ptr.h"
#include "com/SafeArray.h"

#include "ZEVAudioDisplay.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

inline void registerDisplayServer() {
    ServerDll dll(L"ZEVAudioDisplay.dll");
    ASSERT_TRUE(dll);
    ASSERT_EQ(dll.registerServer(), S_OK);
}

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

class PropertyChanges final : public com::Object<IPropertyNotifySink> {
public:
    STDMETHODIMP OnChanged(DISPID id) override {
        changes.push_back(id);
        return S_OK;
    }
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

    std::vector<DISPID> changes;
};
