// Refresh and the disc properties: reading the table of contents into audio tracks, correcting
// the last track's length through the CD audio device, the disc type and the disc identifier.
#include "ripper/AudioCDRipper.h"

#include "ripper/RipperSystem.h"

#include "DiscId.h"
#include "DriveTransport.h"

#include <array>

namespace {

const std::string kRule(64, '_');
// An answer of the CD audio device shorter than this is taken as wrong.
constexpr std::int32_t kShortestMciLength = 5 * kFramesPerSecond;

}  // namespace

STDMETHODIMP AudioCDRipper::Refresh() {
    return member([&]() -> Raised {
        log_.flush();
        log_.line(kRule);
        log_.line("Method RefreshCD:");
        log_.line("");
        if (ripInProgress_) return std::nullopt;

        ++discGeneration_;
        tickEnabled_ = false;
        // Loading follows unloading at once: both return with the transport closed or open, so
        // a pause between them would only hold up every reading of the disc.
        unloadSCSIManager();
        loadSCSIManager();
        lastError_ = NO_ERRORS;
        if (!scsiManagerLoaded_) {
            log_.line("No SCSI Manager Activated (ASPI or NTSPTI)!");
            tickEnabled_ = true;
            return ASPI_DRIVER;
        }

        tracks_.clear();
        savedCdHandle_ = cdHandle_;
        mediaChanged_ = false;
        log_.line("Refresh CD Handle");
        releaseCDHandle();
        createCDHandle();
        if (!cdHandle_) {
            cddb_.resultValid = false;
            mediaState_ = kNoMedia;
            log_.line("Error! Null CD Handle -- probably no disk. Current State: NOMEDIA.");
            tickEnabled_ = true;
            return MEDIA_CHANGED;
        }

        log_.line("Read CD TOC Structure");
        toc_ = {};
        drive::SetDriveOption(cdHandle_, '$', 0);
        checkTransport();
        bool read = drive::ReadDiscTOC(cdHandle_, &toc_) == drive::kLayerSuccess;
        if (!read) {
            log_.line("Try Read TOC once again");
            Sleep(120);
            checkTransport();
            read = drive::ReadDiscTOC(cdHandle_, &toc_) == drive::kLayerSuccess;
        }
        if (!read) {
            releaseCDHandle();
            trackIndex_ = 0;
            cddb_.resultValid = false;
            mediaState_ = kNoMedia;
            unloadSCSIManager();
            loadSCSIManager();
            log_.line("Error! Can't read TOC -- probably no disk. Current State: NOMEDIA.");
            tickEnabled_ = true;
            return std::nullopt;
        }

        trackIndex_ = 0;
        const int tocTracks = TocTrackCount(toc_);
        log_.line("Read TOC Successfull. Track Count:", tocTracks);
        if (tocTracks >= 1) mediaState_ = kMediaIn;
        discTypeCode_ = drive::GetDiscType(cdHandle_, tocTracks);

        log_.line("Check for data tracks interleaved with audio tracks");
        tracks_ = AudioTracksOf(toc_);
        log_.line("Result Track Count:", static_cast<long>(tracks_.size()));

        if (!tracks_.empty()) {
            // A disc without a proper lead-out gives its last track a wrong length; the CD
            // audio device measures it another way.
            AudioTrack& last = tracks_.back();
            const std::int32_t tocLength = last.frames;
            log_.line("Last Track Byte:", tocLength);
            log_.line("Check for last track size, if there No or wrong Lead-out.");
            loadMCI();
            last.frames = mciTrackFrames(last.number);
            unloadMCI();
            log_.line("Last Track Byte(MCI):", last.frames);
            if (last.frames < kShortestMciLength) {
                log_.line("Return to real last Track Byte");
                last.frames = tocLength;
            }
        }

        discId_ = discIdentifier();
        // Titles found for the disc before (another drive's, or one swapped while no change
        // was seen) would name this disc's tracks wrongly.
        if (cddb_.discId != discId_) cddb_.resultValid = false;

        checkTransport();
        tickEnabled_ = true;
        log_.line("");
        log_.line("\tMethod RefreshCD complete. Current State: MEDIA IN");
        log_.line(kRule);
        log_.flush();
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_cdType(CDDiskTypeConstants* pVal) {
    if (!pVal) return E_POINTER;
    return member([&]() -> Raised {
        log_.line("GetCDType Property");
        if (mediaChangedGate()) return MEDIA_CHANGED;
        if (mediaState_ == kNoMedia) {
            *pVal = UNRECOGNIZED;
            log_.line("No Media! GetCDType Property end.");
            log_.line("");
            return std::nullopt;
        }
        const DiscTypeAnswer answer = DiscTypeOf(discTypeCode_, static_cast<int>(tracks_.size()));
        log_.line(answer.logText);
        *pVal = answer.type;
        log_.line("GetCDType Property end.");
        log_.line("");
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::get_cdID(LONG* pVal) {
    if (!pVal) return E_POINTER;
    return member([&]() -> Raised {
        log_.line("GetCDID Property");
        log_.line("Alloc memory");
        if (mediaChangedGate()) return MEDIA_CHANGED;
        if (!scsiManagerLoaded_) {
            log_.line("No SCSI Manager! Exit Property.");
            return ASPI_DRIVER;
        }
        if (!cdHandle_) {
            log_.line("CD Handle is NULL!. Exit Property.");
            *pVal = 0;
            return std::nullopt;
        }
        const LONG id = tracks_.empty() ? 0 : discIdentifier();
        log_.line("Disk Identifer is ", id);
        log_.line("Free memory");
        log_.line("GetCDID Property end.");
        log_.line("");
        *pVal = id;
        return std::nullopt;
    });
}

LONG AudioCDRipper::discIdentifier() {
    std::array<std::int32_t, cddb::kDiscIdRecordSize> record{};
    cddb::ComputeDiscId(cdHandle_, record.data());
    return record[0];
}

void AudioCDRipper::loadMCI() {
    log_.line("Load MCI");
    if (mciOpen_) return;
    const std::string letter = cdDriveLetter(driveIndex_ + 1);
    if (letter.empty()) return;
    MCI_OPEN_PARMSA open{};
    open.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO));
    open.lpstrElementName = letter.c_str();
    const DWORD flags = MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT | MCI_OPEN_SHAREABLE;
    if (RipperSystem().mciSendCommand(0, MCI_OPEN, flags, reinterpret_cast<DWORD_PTR>(&open)) != 0) return;
    mciDevice_ = open.wDeviceID;
    mciOpen_ = true;
}

void AudioCDRipper::unloadMCI() {
    log_.line("Unload MCI");
    if (mciOpen_) RipperSystem().mciSendCommand(mciDevice_, MCI_CLOSE, 0, 0);
    mciOpen_ = false;
}

std::int32_t AudioCDRipper::mciTrackFrames(int trackNumber) {
    if (!mciOpen_) return 0;
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_LENGTH;
    status.dwTrack = static_cast<DWORD>(trackNumber);
    if (RipperSystem().mciSendCommand(mciDevice_, MCI_STATUS, MCI_STATUS_ITEM | MCI_TRACK,
                                      reinterpret_cast<DWORD_PTR>(&status)) != 0) {
        return 0;
    }
    return FramesOfMciLength(static_cast<DWORD>(status.dwReturn));
}
