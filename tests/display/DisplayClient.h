// Helpers for tests that use the registered ZEVAudioDisplay control: registration and a
// recording IPropertyNotifySink.
#pragma once

#include "SampleBlock.h"
#include "ServerDll.h"
#include "com/Object.h"
#include "com/Ptr.h"

#include "ZEVAudioDisplay.h"

#include <gtest/gtest.h>

#include <vector>

inline void registerDisplayServer() {
    ServerDll dll(L"ZEVAudioDisplay.dll");
    ASSERT_TRUE(dll);
    ASSERT_EQ(dll.registerServer(), S_OK);
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
