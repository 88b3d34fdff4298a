// Eject and the drive properties: selecting a drive, naming and placing the drives, and the
// read class the drive is opened with.
#include "ripper/AudioCDRipper.h"

#include "com/Bstr.h"
#include "ripper/RipperSystem.h"

#include "DriveTransport.h"

#include <cstring>

namespace {

// Drives whose media check misreads their state: they are taken as always holding a disc.
constexpr const char* kSkipMediaCheck[] = {
    "HP      , CD-Writer+ 8100  v1.0g (1:0:0)",
    "HP      , CD-Writer+ 7500  v1.0a (1:1:0)",
};

}  // namespace

std::string AudioCDRipper::cdDriveLetter(int number) {
    int found = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char root[] = {letter, ':', '\\', '\0'};
        if (RipperSystem().getDriveType(root) != DRIVE_CDROM) continue;
        if (++found == number) return std::string{letter, ':'};
    }
    return {};
}

STDMETHODIMP AudioCDRipper::Eject() {
    return member([&]() -> Raised {
        log_.line("Eject Disk");
        if (!scsiManagerLoaded_) return ASPI_DRIVER;
        if (!cdHandle_) return OPERATION_FAILED;
        if (ripInProgress_) return DRIVE_BUSY;
        if (mediaChangedGate()) return MEDIA_CHANGED;
        lastError_ = NO_ERRORS;
        drive::LockCDTray(cdHandle_, 0);
        drive::StartStopCDUnit(cdHandle_, 1, 0);
        log_.flush();
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_driveNum(LONG* pVal) {
    if (!pVal) return E_POINTER;
    return member([&]() -> Raised {
        log_.line("GetDriveNum Property");
        if (mediaChangedGate()) return MEDIA_CHANGED;
        *pVal = driveIndex_ + 1;
        log_.line("GetDriveNum Property end.");
        log_.line("");
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::put_driveNum(LONG newVal) {
    return member([&]() -> Raised {
        log_.line("PutDriveNum Property. Parameter: ", newVal);
        if (mediaChangedGate()) return MEDIA_CHANGED;
        if (ripInProgress_) return std::nullopt;
        driveIndex_ = static_cast<int>(ClampSelection(newVal, driveCount_)) - 1;
        ++discGeneration_;
        log_.line("Drive Num Set in:", driveIndex_);
        const char* name = driveList_.drives[driveIndex_].name;
        driveName_.assign(name, strnlen(name, sizeof driveList_.drives[driveIndex_].name));
        skipMediaCheck_ = false;
        log_.line("PutDriveNum Property End.");
        log_.line("");
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_driveCount(LONG* pVal) {
    if (!pVal) return E_POINTER;
    return member([&]() -> Raised {
        log_.line("GetDriveCount Property");
        if (mediaChangedGate()) return MEDIA_CHANGED;
        *pVal = driveList_.count;
        log_.line("GetDrivecount Property End");
        log_.line("");
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_driveLetter(BSTR* pVal) {
    if (!pVal) return E_POINTER;
    return member([&]() -> Raised {
        log_.line("GetDriveLetter Property");
        if (mediaChangedGate()) return MEDIA_CHANGED;
        std::string letter;
        if (drive::GetOSClass() < drive::kOSWindowsNT4) {
            letter = cdDriveLetter(driveIndex_ + 1);
            if (!letter.empty()) log_.line("Found volume letter, associated with Drive Num:", driveIndex_ + 1);
        } else {
            const char* tail = driveList_.drives[driveIndex_].tail;
            letter.assign(tail, strnlen(tail, sizeof driveList_.drives[driveIndex_].tail));
        }
        com::bstr text = com::bstr::from_ansi(letter);
        log_.line("Letter:");
        log_.line(letter);
        log_.line("GetDriveLetter Property End.");
        log_.line("");
        *pVal = text.detach();
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_driveName(BSTR* pVal) {
    if (!pVal) return E_POINTER;
    return member([&]() -> Raised {
        log_.line("GetDriveName Property");
        if (mediaChangedGate()) return MEDIA_CHANGED;
        com::bstr text = com::bstr::from_ansi(driveName_);
        bool skip = false;
        for (const char* name : kSkipMediaCheck) skip = skip || driveName_ == name;
        skipMediaCheck_ = skip;
        if (skip) log_.line("No automatical check for media change on this drive!");
        log_.line("Drive:");
        log_.line(driveName_);
        log_.line("GetDriveName Property End");
        log_.line("");
        *pVal = text.detach();
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_driveReadType(ReadTypeConstants* pVal) {
    if (!pVal) return E_POINTER;
    return member([&]() -> Raised {
        log_.line("GetDriveReadType Property");
        if (mediaChangedGate()) return MEDIA_CHANGED;
        *pVal = readType_;
        log_.line("GetDriveReadType Property End");
        log_.line("");
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::put_driveReadType(ReadTypeConstants newVal) {
    return member([&]() -> Raised {
        log_.line("PutDriveReadType Property. Parameter: ", newVal);
        if (mediaChangedGate()) return MEDIA_CHANGED;
        if (ripInProgress_) return std::nullopt;
        releaseCDHandle();
        readType_ = newVal;
        log_.line("New Read Type: ", newVal);
        createCDHandle();
        log_.line("PutDriveReadType Property end.");
        log_.line("");
        return std::nullopt;
    });
}
