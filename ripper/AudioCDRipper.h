// AudioCDRipper: the automation object through which a client drives a CD drive. It starts the
// drive layer, lists and selects drives, reads the disc's table of contents into audio tracks,
// describes the disc, ejects it, watches for media changes on a thread of its own, rips tracks
// and looks titles up, and tells its client what happens through _IAudioCDRipperEvents.
//
// Its members are spread over files by concern:
//   AudioCDRipper.cpp              creation, release, DriverOpen, DriverClose
//   AudioCDRipperDriveControl.cpp  the operations on the drive layer several members share
//   AudioCDRipperEvents.cpp        raising errors, _OnEvent, events sent from other threads
//   AudioCDRipperDrive.cpp         Eject and the drive properties
//   AudioCDRipperDisc.cpp          Refresh, cdType, cdID and the CD audio device
//   AudioCDRipperTracks.cpp        the track properties
//   AudioCDRipperMediaCheck.cpp    the media-check thread and its tick
//   AudioCDRipperCddb.cpp          the CDDB settings and look-up
//   AudioCDRipperFormats.cpp       the outside encoder objects and the output formats
//   AudioCDRipperRipSettings.cpp   the rip settings
//   AudioCDRipperRip.cpp           the rips, their workers and the convert tick
//   AudioCDRipperRipHost.cpp       what the rip engine (ripper/rip) is given of the object
//
// Threads. Members run on the object's thread. The media-check thread and the rip workers share
// the object's drive state with them under `state_`, a lock that is never held while waiting
// for the object's thread: events are raised after a member lets the lock go, and the other
// threads call _OnEvent (through their own proxies) only without it. Flags that threads read
// without the lock are atomics. A member that waits long (GetCDDBInfo on the network) does so
// without the lock and serving those calls (com/CallServingWait.h), so nothing else waits with
// it; what it finds is kept only when the disc is still the one it asked about.
#pragma once

#include "com/ConnectionPoint.h"
#include "com/Dispatch.h"
#include "com/Handles.h"
#include "com/HomeThread.h"
#include "com/Object.h"
#include "com/ProvideClassInfo.h"
#include "com/Ptr.h"
#include "ripper/AudioFileWriter.h"
#include "ripper/DiscDescription.h"
#include "ripper/ObjectThread.h"
#include "ripper/OutputFormats.h"
#include "ripper/RipperLog.h"

#include "PcmHandOver.h"
#include "WavFile.h"

#include "AudioReads.h"
#include "CddbEntryTitles.h"
#include "CddbMatch.h"
#include "DriveCommands.h"

#include "ZEVAudioFile.h"
#include "ZEVDiscRipper.h"

#include <mmsystem.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class AudioCDRipper final
    : public com::Object<com::Dispatch<IAudioCDRipper>, com::ProvideClassInfo<AudioCDRipper>,
                         com::ConnectionPointContainer<&DIID__IAudioCDRipperEvents>> {
public:
    static constexpr const CLSID& classId = CLSID_AudioCDRipper;
    static constexpr const IID& sourceId = DIID__IAudioCDRipperEvents;

    AudioCDRipper();
    ~AudioCDRipper() override;
    // The destructor waits for the rip and media-check threads, so it runs on this object's
    // own thread, which serves their calls.
    void lastReleased() noexcept override;

    STDMETHODIMP DriverOpen() override;
    STDMETHODIMP DriverClose() override;
    STDMETHODIMP Eject() override;
    STDMETHODIMP Refresh() override;
    STDMETHODIMP IsAvailableFormatOGG(RipFrequencyConstants frq, RipChannelsConstants chnl,
                                      RipBitrateConstants nominalBitRate, RipBitrateConstants minBitRate,
                                      RipBitrateConstants maxBitRate, LONG Quality, VARIANT_BOOL* pVal) override;
    STDMETHODIMP IsAvailableFormatMP3(RipFrequencyConstants frq, RipBitrateConstants Bitrate,
                                      RipChannelsConstants chnl, VARIANT_BOOL* pVal) override;
    STDMETHODIMP SetFormatMP3(RipFrequencyConstants frq, RipBitrateConstants Bitrate,
                              RipChannelsConstants chnl) override;
    STDMETHODIMP SetFormatMP3Ex(IAudioCDRipperLameMP3Encoder* LameFormat) override;
    STDMETHODIMP SetFormatWMA(LONG Profile) override;
    STDMETHODIMP SetFormatOGG(RipFrequencyConstants frq, RipChannelsConstants chnl, RipBitrateConstants nominalBitRate,
                              RipBitrateConstants minBitRate, RipBitrateConstants maxBitRate, LONG Quality) override;
    STDMETHODIMP RipTrackToWav(BSTR fileName) override;
    STDMETHODIMP RipTrackToMP3(BSTR fileName) override;
    STDMETHODIMP RipTrackToWMA(BSTR fileName) override;
    STDMETHODIMP RipTrackToOGG(BSTR fileName) override;
    STDMETHODIMP StopRip() override;
    STDMETHODIMP GetCDDBInfo(CDDBSourceConstants cddbSource, VARIANT_BOOL* pVal) override;
    STDMETHODIMP get_driveNum(LONG* pVal) override;
    STDMETHODIMP put_driveNum(LONG newVal) override;
    STDMETHODIMP get_driveCount(LONG* pVal) override;
    STDMETHODIMP get_driveLetter(BSTR* pVal) override;
    STDMETHODIMP get_driveName(BSTR* pVal) override;
    STDMETHODIMP get_driveReadType(ReadTypeConstants* pVal) override;
    STDMETHODIMP put_driveReadType(ReadTypeConstants newVal) override;
    STDMETHODIMP get_driveSpeed(LONG* pVal) override;
    STDMETHODIMP put_driveSpeed(LONG newVal) override;
    STDMETHODIMP get_driveSpinUpTime(LONG* pVal) override;
    STDMETHODIMP put_driveSpinUpTime(LONG newVal) override;
    STDMETHODIMP get_driveLockCDTrayDuringRip(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_driveLockCDTrayDuringRip(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_cdType(CDDiskTypeConstants* pVal) override;
    STDMETHODIMP get_cdID(LONG* pVal) override;
    STDMETHODIMP get_ripModePreset(RipModePresetConstants* pVal) override;
    STDMETHODIMP put_ripModePreset(RipModePresetConstants newVal) override;
    STDMETHODIMP get_ripOnErrorAction(RipActionOnErrorConstants* pVal) override;
    STDMETHODIMP put_ripOnErrorAction(RipActionOnErrorConstants newVal) override;
    STDMETHODIMP get_ripOnErrorRetries(LONG* pVal) override;
    STDMETHODIMP put_ripOnErrorRetries(LONG newVal) override;
    STDMETHODIMP get_ripUseExternalASPI(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_ripUseExternalASPI(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_cddbTimeOut(LONG* pVal) override;
    STDMETHODIMP put_cddbTimeOut(LONG newVal) override;
    STDMETHODIMP get_cddbServerAddress(BSTR* pVal) override;
    STDMETHODIMP put_cddbServerAddress(BSTR newVal) override;
    STDMETHODIMP get_cddbAgentName(BSTR* pVal) override;
    STDMETHODIMP put_cddbAgentName(BSTR newVal) override;
    STDMETHODIMP get_cddbServerHTTPPort(LONG* pVal) override;
    STDMETHODIMP put_cddbServerHTTPPort(LONG newVal) override;
    STDMETHODIMP get_cddbUserEMail(BSTR* pVal) override;
    STDMETHODIMP put_cddbUserEMail(BSTR newVal) override;
    STDMETHODIMP get_cddbCGIScript(BSTR* pVal) override;
    STDMETHODIMP put_cddbCGIScript(BSTR newVal) override;
    STDMETHODIMP get_cddbInfoArtist(BSTR* pVal) override;
    STDMETHODIMP get_cddbInfoAlbum(BSTR* pVal) override;
    STDMETHODIMP get_cddbInfoGenre(BSTR* pVal) override;
    STDMETHODIMP get_cddbInfoTitle(BSTR* pVal) override;
    STDMETHODIMP get_trackNum(LONG* pVal) override;
    STDMETHODIMP put_trackNum(LONG newVal) override;
    STDMETHODIMP get_trackCount(LONG* pVal) override;
    STDMETHODIMP get_trackDuration(LONG* pVal) override;
    STDMETHODIMP get_trackSamples(LONG* pVal) override;
    STDMETHODIMP get_trackFormatString(BSTR* pVal) override;
    STDMETHODIMP _OnEvent() override;

private:
    // What a member's body hands back: an error to raise once the state lock is released.
    using Raised = std::optional<ErrcodeConstants>;

    enum MediaState : short { kMediaUnknown = 0, kNoMedia = 2, kMediaIn = 3 };
    enum class TickMode { MediaCheck, Convert };
    // The kinds of event _OnEvent fires for another thread.
    enum PendingEvent : int { kPendingError = 0, kPendingProgress = 1, kPendingRetry = 2, kPendingMediaChange = 3 };

    // How the drive is read; the rip mode preset sets most of it.
    struct RipSettings {
        int blockFrames = 26;
        int jitterMatchFrames = 0;
        int jitterReadBackFrames = 0;
        int readStrategy = 0;  // 0 plain reads, 1 jitter-corrected reads
        int retries = 20;
        int spinUpTime = 1000;  // ms
        int driveSpeed = 32;    // multiples of single speed
        RipActionOnErrorConstants onErrorAction = CUT;
        // DriverOpen writes the burst settings without choosing a preset; reading the preset
        // before the client chooses one names the settings in force.
        RipModePresetConstants preset = BURST;
        bool lockTray = true;
        bool useExternalASPI = false;
    };

    // The CDDB client's settings as the client set them, and the last look-up's answer.
    struct CddbFields {
        std::string serverAddress;
        std::string cgiScript;
        int serverPort = 0;
        std::string agentName;
        std::string userEMail;
        bool writeBack = true;
        int timeOut = 0;  // ms
        cddb::CddbTitles titles;
        std::string artist;
        std::string album;
        std::string genre;
        bool resultValid = false;
        LONG discId = 0;  // the identifier of the disc the result is for
        bool online = false;
    };

    // Runs a member's body under the state lock and raises what it reports afterwards.
    template <class Body>
    HRESULT member(Body&& body) noexcept {
        return com::guarded([&] {
            Raised raised;
            {
                std::lock_guard lock(state_);
                raised = body();
            }
            if (raised) raise(*raised);
            return S_OK;
        });
    }

    // Events (AudioCDRipperEvents.cpp). raise stores the code and fires Error on this thread.
    void raise(ErrcodeConstants code);
    void fire(DISPID event, LONG argument);
    // From another thread, through that thread's proxy; each returns once the sinks have run.
    void sendError(IAudioCDRipper* proxy, ErrcodeConstants code);
    void sendProgress(IAudioCDRipper* proxy, int percent, bool ripOver);
    void sendRetry(IAudioCDRipper* proxy, int retryNum);
    void sendMediaChange(IAudioCDRipper* proxy);
    void send(IAudioCDRipper* proxy, PendingEvent kind);

    // Drive layer operations (AudioCDRipperDriveControl.cpp); callers hold `state_`.
    void loadSCSIManager();
    void unloadSCSIManager();
    void createCDHandle();
    void releaseCDHandle();
    void checkTransport();
    void reloadManager();
    bool testDriveReady() { return driveReadiness() == rip::Readiness::kReady; }
    rip::Readiness driveReadiness();
    // Closes the drive and stops the layer without a log line: the object's own clean-up.
    void closeDriveQuietly();

    // The drive letter of the n-th CD drive in "A:".."Z:" order, or "" (AudioCDRipperDrive.cpp).
    static std::string cdDriveLetter(int number);

    // trackDuration and trackSamples: the current track's samples per channel in a unit
    // (AudioCDRipperTracks.cpp).
    HRESULT trackLength(LONG* pVal, LONG (*unit)(std::int32_t samples));

    // The CDDB identifier of the disc in the open drive (AudioCDRipperDisc.cpp).
    LONG discIdentifier();

    // The CD audio device (AudioCDRipperDisc.cpp).
    void loadMCI();
    void unloadMCI();
    // The length of a track on the disc by the device, in whole seconds as frames; 0 when the
    // device is not open or does not answer.
    std::int32_t mciTrackFrames(int trackNumber);

    // The media-check thread (AudioCDRipperMediaCheck.cpp).
    void startMediaCheck(com::marshalled<IAudioCDRipper> handOver);
    void stopMediaCheck();
    void runMediaCheck(IAudioCDRipper* proxy);
    void checkMedia(IAudioCDRipper* proxy);
    void handleMediaChange(IAudioCDRipper* proxy, bool removed);
    // Waits, unless the media check is being stopped: false then.
    bool pause(DWORD milliseconds);
    // Waits until the next tick is due, or until a rip wants it at once; false when the media
    // check is being stopped.
    bool waitForTick(std::chrono::steady_clock::time_point due);

    // CDDB (AudioCDRipperCddb.cpp): the defaults DriverOpen stores and hands to the client.
    void setCddbDefaults();
    // One query of cdplayer.ini (online 0) or the on-line database and the read of its first
    // match; true when the match's entry was read and stored as the result, which it is only
    // while the disc is still the one of `generation`.
    bool lookUpCddb(int online, std::uint64_t generation);
    void storeCddbResult(const cddb::CddbMatch& match, const char* entry);
    // The text settings, kept and handed to the drive layer under its setting code.
    HRESULT getCddbText(BSTR* pVal, const char* entryLine, std::string CddbFields::*field, bool logValue);
    HRESULT putCddbText(BSTR newVal, const char* entryLine, std::string CddbFields::*field, int settingCode);
    // A part of the last look-up's result; empty while there is none.
    HRESULT getCddbResult(BSTR* pVal, const char* entryLine, const std::function<std::string()>& result);

    // The outside encoder objects (AudioCDRipperFormats.cpp). prepareEncoderObjects marks
    // every format pending and gives the AudioFile object its MP3 encoder; false when there
    // are no encoder objects or they refuse.
    bool createEncoderObjects();
    bool prepareEncoderObjects();
    void releaseEncoderObjects();
    // For a rip: the format's default on the AudioFile object while the client has not set the
    // format up. The failure of the outside call (E_POINTER without encoder objects), or S_OK.
    HRESULT setDefaultFormatIfPending(OutputFormat format);

    // The format members run on the object's thread and use only what that thread owns (the
    // encoder objects and the pending formats), so they take no state lock. Without encoder
    // objects they raise FORMAT_NOT_SUPPORT; otherwise the body says what to raise.
    template <class Body>
    HRESULT formatMember(Body&& body) noexcept {
        return com::guarded([&] {
            const Raised raised = audioFile_ && lameEncoder_ ? body() : Raised(FORMAT_NOT_SUPPORT);
            if (raised) raise(*raised);
            return S_OK;
        });
    }

    bool mediaChangedGate() const { return mediaChanged_; }

    // A rip setting's getter (AudioCDRipperRipSettings.cpp): the log lines around it and the
    // media-changed gate.
    template <class T, class Read>
    HRESULT readRipSetting(T* pVal, const char* entryLine, const char* exitLine, Read read);

    // The rips (AudioCDRipperRip.cpp). A rip runs from its rip method until its worker has
    // finished reading; the worker is the rip engine's, given the object through RipHost.
    class RipHost;
    // The checks every rip method makes first; the error to raise, if any.
    Raised ripRefused();
    struct RipWorker;
    // A rip's worker, started by its rip method before the output is prepared: the thread's
    // start and its proxy's unmarshalling (several milliseconds each on some systems) then
    // overlap the preparing of the file and the encoder on this thread. The worker waits until
    // the method lets it go, or until it is called off, which it is when this goes out of scope
    // first (the rip refused): it then ends touching nothing and the object is not ripping.
    class StartedRip {
    public:
        StartedRip(AudioCDRipper& ripper, RipWorker* worker) : ripper_(ripper), worker_(worker) {}
        StartedRip(const StartedRip&) = delete;
        StartedRip& operator=(const StartedRip&) = delete;
        ~StartedRip();
        // False when no thread could be made.
        explicit operator bool() const { return worker_ != nullptr; }
        // The output is ready: the worker runs the rip.
        void go();

    private:
        AudioCDRipper& ripper_;
        RipWorker* worker_;
    };
    // Starts the worker thread of a rip, held until the StartedRip lets it go.
    StartedRip startRipWorker(std::function<void(RipHost& host)> work);
    // Stops a running rip and waits for every worker to end (DriverClose, release).
    void endRips();
    // RipTrackToMP3, RipTrackToWMA and RipTrackToOGG.
    HRESULT ripToEncoder(BSTR fileName, OutputFormat format);
    // The tick in convert mode: hands the PCM read since the last tick to the encoder.
    void convertTick(IAudioCDRipper* proxy);

    // Declared first, so it is closed last: every other part may still write to it.
    RipperLog log_;

    std::recursive_mutex state_;

    // Drive state, under `state_`.
    bool scsiManagerLoaded_ = false;
    int cdHandle_ = 0;
    int savedCdHandle_ = 0;
    drive::DriveList driveList_{};
    int driveCount_ = 0;
    int driveIndex_ = 0;
    std::string driveName_;
    ReadTypeConstants readType_ = CDRT_ANY;
    RipSettings rip_;
    CddbFields cddb_;
    bool mciOpen_ = false;
    MCIDEVICEID mciDevice_ = 0;

    // Disc state, under `state_`.
    drive::TOCRecord toc_{};
    std::vector<AudioTrack> tracks_;
    int trackIndex_ = 0;
    int discTypeCode_ = 0;
    LONG discId_ = 0;
    // Counts the times the drive or the disc the members work on may have changed (Refresh,
    // driveNum, DriverOpen, DriverClose): a CDDB answer asked for under one count belongs to
    // no disc read under another.
    std::uint64_t discGeneration_ = 0;

    // Flags other threads read without the lock.
    std::atomic<int> lastError_{NO_ERRORS};
    std::atomic<bool> mediaChanged_{false};
    std::atomic<short> mediaState_{kMediaUnknown};
    std::atomic<bool> skipMediaCheck_{false};
    std::atomic<bool> ripInProgress_{false};

    com::home_thread home_;

    // The media-check thread.
    ObjectThread mediaCheck_;
    com::unique_handle mediaCheckStop_;
    // Set (auto-reset) by an encoding rip whose reading is over: its last hand-over runs at once.
    com::unique_handle tickNow_;
    std::atomic<bool> mediaCheckRun_{false};
    std::atomic<bool> tickEnabled_{false};
    std::atomic<TickMode> tickMode_{TickMode::MediaCheck};
    DWORD tickInterval_ = 20;

    // What _OnEvent fires for another thread. A sender holds `eventLock_` from setting these
    // until its _OnEvent call returns, so two threads never mix their events.
    std::mutex eventLock_;
    std::atomic<int> pendingEvent_{kPendingError};
    std::atomic<int> pendingError_{NO_ERRORS};
    std::atomic<int> percent_{0};
    std::atomic<bool> ripOver_{false};
    std::atomic<int> retryNum_{0};

    // The rips. Workers that have ended are let go when the next rip starts; one still
    // running may be sending the event during which the client starts that rip.
    struct RipWorker {
        ObjectThread thread;
        // Set when the rip has ended: all the thread has left to do is let its proxy go.
        std::atomic<bool> ripEnded{false};
        // Signalled when the rip method has decided; `go` says whether the rip runs.
        com::unique_handle decided;
        std::atomic<bool> go{false};
    };
    std::vector<std::unique_ptr<RipWorker>> ripWorkers_;
    std::atomic<LONG> stopRip_{0};
    rip::WavFile wavFile_;
    rip::PcmHandOver pcm_;
    rip::FileReplacement encoderOutput_;
    AudioFileWriter sampleWriter_;
    // Held by a convert tick while it runs: a worker switching the tick off waits for it, so no
    // tick writes to the encoder once the worker closes the file.
    std::mutex convertTick_;

    // The outside encoder objects and the formats still to be set before a rip.
    com::ptr<IAudioFile> audioFile_;
    com::ptr<IAudioFileLameMp3Encoder> lameEncoder_;
    HRESULT encoderCreation_ = E_FAIL;
    bool encoderApartment_ = false;
    PendingFormats pendingFormats_;
};
