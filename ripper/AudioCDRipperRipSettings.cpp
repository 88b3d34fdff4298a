// The rip settings: drive speed, spin-up time, tray lock, rip mode preset, on-error action and
// retries, and the choice of the ASPI library. The setters that change how the drive is read
// are ignored while a rip runs.
#include "ripper/AudioCDRipper.h"

#include "RipArithmetic.h"
#include "RipPresets.h"

template <class T, class Read>
HRESULT AudioCDRipper::readRipSetting(T* pVal, const char* entryLine, const char* exitLine, Read read) {
    if (!pVal) return E_POINTER;
    return member([&]() -> Raised {
        log_.line(entryLine);
        if (mediaChangedGate()) return MEDIA_CHANGED;
        *pVal = read();
        log_.line(exitLine);
        log_.line("");
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_driveSpeed(LONG* pVal) {
    return readRipSetting(pVal, "GetDriveSpeed Property", "GetDriveSpeed Property end", [&] { return rip_.driveSpeed; });
}

STDMETHODIMP AudioCDRipper::put_driveSpeed(LONG newVal) {
    return member([&]() -> Raised {
        log_.line("PutDriveSpeed Property. Parameter: ", newVal);
        if (ripInProgress_) return std::nullopt;
        if (mediaChangedGate()) return MEDIA_CHANGED;
        rip_.driveSpeed = static_cast<int>(rip::RoundDriveSpeed(newVal));
        if (newVal <= 64) log_.line("New drive speed is: ", rip_.driveSpeed);
        log_.line("PutDriveSpeed Property end.");
        log_.line("");
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_driveSpinUpTime(LONG* pVal) {
    return readRipSetting(pVal, "GetDriveSpinUpTime Property", "GetDriveSpinUpTime Property end.", [&] { return rip_.spinUpTime; });
}

STDMETHODIMP AudioCDRipper::put_driveSpinUpTime(LONG newVal) {
    return member([&]() -> Raised {
        log_.line("PutDriveSpinUpTime Property. Parameter: ", newVal);
        if (mediaChangedGate()) return MEDIA_CHANGED;
        if (ripInProgress_) return std::nullopt;
        rip_.spinUpTime = static_cast<int>(rip::ClampSpinUpTime(newVal));
        log_.line("New drive spin up time set in: ", rip_.spinUpTime);
        log_.line("PutDriveSpinUpTime Property end.");
        log_.line("");
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_driveLockCDTrayDuringRip(VARIANT_BOOL* pVal) {
    return readRipSetting(pVal, "GetDriveLockCDTrayDuringRip Property.", "GetDriveLockCDTrayDuringRip Property end.", [&] { return rip_.lockTray ? VARIANT_TRUE : VARIANT_FALSE; });
}

STDMETHODIMP AudioCDRipper::put_driveLockCDTrayDuringRip(VARIANT_BOOL newVal) {
    return member([&]() -> Raised {
        log_.line("PutDriveLockCDTrayDuringRip Property. Parameter: ", newVal);
        if (mediaChangedGate()) return MEDIA_CHANGED;
        if (ripInProgress_) return std::nullopt;
        rip_.lockTray = newVal == VARIANT_TRUE;
        log_.line("PutDriveLockCDTrayDuringRip Property end.");
        log_.line("");
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_ripModePreset(RipModePresetConstants* pVal) {
    return readRipSetting(pVal, "GetRipModePreset Property", "GetRipModePreset Property end.", [&] { return rip_.preset; });
}

STDMETHODIMP AudioCDRipper::put_ripModePreset(RipModePresetConstants newVal) {
    return member([&]() -> Raised {
        log_.line("PutRipModePreset Property. Parameter:", newVal);
        if (ripInProgress_) return std::nullopt;
        if (mediaChangedGate()) return MEDIA_CHANGED;
        log_.line("Release CD Handle");
        releaseCDHandle();
        const rip::RipPreset* preset = rip::FindRipPreset(newVal);
        if (!preset) {
            // The drive stays closed until something opens it again.
            log_.line("Wrong param!");
            return INVALID_PARAM;
        }
        rip_.blockFrames = preset->blockFrames;
        rip_.jitterMatchFrames = preset->jitterMatchFrames;
        rip_.jitterReadBackFrames = preset->jitterReadBackFrames;
        rip_.readStrategy = preset->readStrategy;
        rip_.retries = preset->retries;
        rip_.spinUpTime = preset->spinUpTime;
        rip_.driveSpeed = preset->driveSpeed;
        if (newVal == PLAY) rip_.onErrorAction = SILENCE;
        log_.line(preset->name);
        rip_.preset = newVal;
        log_.line("Create CD Handle");
        createCDHandle();
        log_.line("PutRipModePreset Property end.");
        log_.line("");
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_ripOnErrorAction(RipActionOnErrorConstants* pVal) {
    return readRipSetting(pVal, "GetRipOnErrorAction Property.", "GetRipOnErrorAction Property end.", [&] { return rip_.onErrorAction; });
}

STDMETHODIMP AudioCDRipper::put_ripOnErrorAction(RipActionOnErrorConstants newVal) {
    // Taken also during a rip: the rip looks at the action when a block fails.
    return member([&]() -> Raised {
        log_.line("PutRipOnErrorAction Property. Parameter: ", newVal);
        if (mediaChangedGate()) return MEDIA_CHANGED;
        rip_.onErrorAction = newVal;
        log_.line("PutRipOnErrorAction end.");
        log_.line("");
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_ripOnErrorRetries(LONG* pVal) {
    return readRipSetting(pVal, "GetRipOnErrorRetries Property", "GetRipOnErrorRetries Property end.", [&] { return rip_.retries; });
}

STDMETHODIMP AudioCDRipper::put_ripOnErrorRetries(LONG newVal) {
    return member([&]() -> Raised {
        log_.line("PutRipOnErrorRetries Property. Parameter: ", newVal);
        if (mediaChangedGate()) return MEDIA_CHANGED;
        if (ripInProgress_) return std::nullopt;
        if (!rip::RetriesInRange(newVal)) {
            log_.line("Parameter error!");
            return INVALID_PARAM;
        }
        rip_.retries = static_cast<int>(newVal);
        log_.line("Num Retries now:", newVal);
        log_.line("PutRipOnErrorRetries Property end.");
        log_.line("");
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_ripUseExternalASPI(VARIANT_BOOL* pVal) {
    return readRipSetting(pVal, "Get RipUseExtrnalASPI Property.", "GetRipUseExternalASPI Property end.", [&] { return rip_.useExternalASPI ? VARIANT_TRUE : VARIANT_FALSE; });
}

STDMETHODIMP AudioCDRipper::put_ripUseExternalASPI(VARIANT_BOOL newVal) {
    return member([&]() -> Raised {
        log_.line("Put RipUseExternalASPI Property");
        if (ripInProgress_) return std::nullopt;
        if (mediaChangedGate()) return MEDIA_CHANGED;
        releaseCDHandle();
        unloadSCSIManager();
        lastError_ = NO_ERRORS;
        rip_.useExternalASPI = newVal == VARIANT_TRUE;
        loadSCSIManager();
        if (scsiManagerLoaded_) createCDHandle();
        log_.line("PutRipUseExternalASPI Property end.");
        log_.line("");
        return std::nullopt;
    });
}
