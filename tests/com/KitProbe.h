// The kit's test class: Announce fires Announced(value, "announced") and Quiet fires Silence,
// each on the calling thread of the object.
#pragma once

#include "com/ConnectionPoint.h"
#include "com/Dispatch.h"
#include "com/Object.h"
#include "com/ProvideClassInfo.h"

#include "KitProbeLib.h"

class KitProbe final
    : public com::Object<com::Dispatch<IKitProbe>, com::ProvideClassInfo<KitProbe>,
                         com::ConnectionPointContainer<&DIID__IKitProbeEvents>> {
public:
    static constexpr const CLSID& classId = CLSID_KitProbe;
    static constexpr const IID& sourceId = DIID__IKitProbeEvents;

    STDMETHODIMP Announce(LONG value) override {
        connectionPoint(0).fire(1, com::variant(value), com::variant(std::wstring_view(L"announced")));
        return S_OK;
    }
    STDMETHODIMP Quiet() override {
        connectionPoint(0).fire(2);
        return S_OK;
    }
};
