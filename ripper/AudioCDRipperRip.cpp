// The rips. A rip method starts a worker, prepares the output on the object's thread meanwhile
// and lets the worker go, which runs the rip engine (ripper/rip) and tells the client what
// happens through _OnEvent. The
// object counts as ripping from the rip method on, not only once the worker has started, so
// that a second rip method called meanwhile is refused instead of starting a second worker on
// the same drive and file.
#include "ripper/AudioCDRipperRipHost.h"
#include "ripper/RipFileName.h"

#include "com/Bstr.h"

#include "RipWorker.h"

namespace {

// The input every encoding rip gives the encoder: CD audio.
constexpr LONG kSampleRate = 44100;
constexpr LONG kChannels = 2;

struct EncodingRip {
    const char* logLine;
    const char* extension;
    LONG mode;  // of CreateOutputFile
};

// By OutputFormat: MP3, WMA, Ogg Vorbis.
constexpr EncodingRip kEncodingRips[] = {
    {"Rip Track To MP3", ".mp3", 2},
    {"Rip Track To WMA", ".wma", 0},
    {"Rip Track To OGG", ".ogg", 0},
};

}  // namespace

AudioCDRipper::Raised AudioCDRipper::ripRefused() {
    if (mediaChangedGate()) return MEDIA_CHANGED;
    if (ripInProgress_) return DRIVE_BUSY;
    return std::nullopt;
}

AudioCDRipper::StartedRip AudioCDRipper::startRipWorker(std::function<void(RipHost& host)> work) {
    std::erase_if(ripWorkers_, [](const std::unique_ptr<RipWorker>& worker) { return !worker->thread.running(); });
    auto worker = std::make_unique<RipWorker>();
    worker->decided.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!worker->decided) return StartedRip(*this, nullptr);
    com::marshalled<IAudioCDRipper> handOver;
    handOver.marshal(this);
    RipWorker* started = worker.get();
    if (!worker->thread.start(std::move(handOver), [this, started, work = std::move(work)](IAudioCDRipper* proxy) {
            // Nothing waits for this thread before its rip method has decided.
            WaitForSingleObject(started->decided.get(), INFINITE);
            if (started->go) {
                RipHost host(*this, proxy);
                work(host);
            }
            started->ripEnded = true;
        }))
        return StartedRip(*this, nullptr);
    ripInProgress_ = true;
    ripWorkers_.push_back(std::move(worker));
    return StartedRip(*this, started);
}

void AudioCDRipper::StartedRip::go() {
    worker_->go = true;
    SetEvent(worker_->decided.get());
    worker_ = nullptr;
}

AudioCDRipper::StartedRip::~StartedRip() {
    if (!worker_) return;
    ripper_.ripInProgress_ = false;
    SetEvent(worker_->decided.get());
}

void AudioCDRipper::endRips() {
    stopRip_ = 1;
    for (const std::unique_ptr<RipWorker>& worker : ripWorkers_) {
        // When this object goes because such a worker let its proxy go, the worker waits for
        // this thread: waiting for it here would never end.
        if (worker->ripEnded) worker->thread.forget();
    }
    // Joining serves the other workers' calls to this thread, so they can finish their rips.
    ripWorkers_.clear();
}

STDMETHODIMP AudioCDRipper::RipTrackToWav(BSTR fileName) {
    return member([&]() -> Raised {
        log_.line("Rip Track To Wav");
        if (Raised refused = ripRefused()) return refused;
        const std::optional<std::string> name = RipFileName(fileName, ".wav");
        if (!name) return FILE_ACCESS;
        StartedRip worker = startRipWorker([this](RipHost& host) { rip::RunWavRip(host, wavFile_); });
        if (!worker) return OUT_OF_MEMORY;
        stopRip_ = 0;
        lastError_ = NO_ERRORS;
        if (!wavFile_.Create(*name)) return FILE_ACCESS;
        worker.go();
        return std::nullopt;
    });
}

STDMETHODIMP AudioCDRipper::RipTrackToMP3(BSTR fileName) { return ripToEncoder(fileName, OutputFormat::Mp3); }

STDMETHODIMP AudioCDRipper::RipTrackToWMA(BSTR fileName) { return ripToEncoder(fileName, OutputFormat::Wma); }

STDMETHODIMP AudioCDRipper::RipTrackToOGG(BSTR fileName) { return ripToEncoder(fileName, OutputFormat::Ogg); }

HRESULT AudioCDRipper::ripToEncoder(BSTR fileName, OutputFormat format) {
    const EncodingRip& rip = kEncodingRips[static_cast<int>(format)];
    return member([&]() -> Raised {
        if (!audioFile_ || !lameEncoder_) return FORMAT_NOT_SUPPORT;
        log_.line(rip.logLine);
        if (Raised refused = ripRefused()) return refused;
        const std::optional<std::string> ansiName = RipFileName(fileName, rip.extension);
        if (!ansiName) return FILE_ACCESS;
        StartedRip worker =
            startRipWorker([this](RipHost& host) { rip::RunEncodingRip(host, pcm_, sampleWriter_); });
        if (!worker) return OUT_OF_MEMORY;
        const bool wma = format == OutputFormat::Wma;
        if (wma) audioFile_->SetInputFormat(kSampleRate, kChannels);
        // An encoder that will not take the default format would write the file in whatever
        // format it held before: the rip is refused as one of a format it cannot write.
        if (FAILED(setDefaultFormatIfPending(format))) return FORMAT_NOT_SUPPORT;
        if (wma) audioFile_->SetInputFormat(kSampleRate, kChannels);
        // The encoder writes under a working name (a file it cannot replace is refused as the
        // encoder would refuse it), so a rip that fails before it has audio loses no file.
        if (!encoderOutput_.Begin(*ansiName)) return FORMAT_NOT_SUPPORT;
        const com::bstr name = com::bstr::from_ansi(encoderOutput_.WorkingPath());
        LONG status = -1;
        if (FAILED(audioFile_->CreateOutputFile(name.get(), rip.mode)) || FAILED(audioFile_->GetOpenStatus(&status)) ||
            status != 0) {
            encoderOutput_.Abandon();
            return FORMAT_NOT_SUPPORT;
        }
        stopRip_ = 0;
        audioFile_->SetInputFormat(kSampleRate, kChannels);
        lastError_ = NO_ERRORS;
        sampleWriter_.Begin(audioFile_.get(), &encoderOutput_);
        worker.go();
        return std::nullopt;
    });
}

void AudioCDRipper::convertTick(IAudioCDRipper* proxy) {
    std::lock_guard lock(convertTick_);
    // The worker may have switched the tick off while this one waited to start.
    if (!tickEnabled_ || tickMode_ != TickMode::Convert) return;
    RipHost log(*this, proxy);
    rip::ConvertTick(pcm_, sampleWriter_, log, stopRip_ != 0);
}

STDMETHODIMP AudioCDRipper::StopRip() {
    return member([&]() -> Raised {
        log_.line("Stop Rip!");
        if (!ripInProgress_) return std::nullopt;
        if (mediaChangedGate()) return MEDIA_CHANGED;
        stopRip_.exchange(1);
        return std::nullopt;
    });
}
