// The rips. A rip method prepares the output on the object's thread and starts a worker, which
// runs the rip engine (ripper/rip) and tells the client what happens through _OnEvent. The
// object counts as ripping from the rip method on, not only once the worker has started, so
// that a second rip method called meanwhile is refused instead of starting a second worker on
// the same drive and file.
#include "ripper/AudioCDRipperRipHost.h"

#include "com/Bstr.h"

#include "RipWorker.h"

AudioCDRipper::Raised AudioCDRipper::ripRefused() {
    if (mediaChangedGate()) return MEDIA_CHANGED;
    if (ripInProgress_) return DRIVE_BUSY;
    return std::nullopt;
}

bool AudioCDRipper::startRipWorker(std::function<void(RipHost& host)> work) {
    std::erase_if(ripWorkers_, [](const std::unique_ptr<ObjectThread>& worker) { return !worker->running(); });
    com::marshalled<IAudioCDRipper> handOver;
    handOver.marshal(this);
    ripInProgress_ = true;
    auto worker = std::make_unique<ObjectThread>();
    if (!worker->start(std::move(handOver), [this, work = std::move(work)](IAudioCDRipper* proxy) {
            RipHost host(*this, proxy);
            work(host);
        })) {
        ripInProgress_ = false;
        return false;
    }
    ripWorkers_.push_back(std::move(worker));
    return true;
}

void AudioCDRipper::endRips() {
    stopRip_ = 1;
    // Joining serves the workers' calls to this thread, so they can finish their rips.
    ripWorkers_.clear();
}

STDMETHODIMP AudioCDRipper::RipTrackToWav(BSTR fileName) {
    return member([&]() -> Raised {
        log_.line("Rip Track To Wav");
        if (Raised refused = ripRefused()) return refused;
        stopRip_ = 0;
        const std::string name = com::to_ansi(fileName) + ".wav";
        lastError_ = NO_ERRORS;
        if (!wavFile_.Create(name)) return FILE_ACCESS;
        if (!startRipWorker([this](RipHost& host) { rip::RunWavRip(host, wavFile_); })) {
            wavFile_.Close();
            return OUT_OF_MEMORY;
        }
        return std::nullopt;
    });
}

// Encoding rips come with the output formats.
STDMETHODIMP AudioCDRipper::RipTrackToMP3(BSTR) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::RipTrackToWMA(BSTR) { return E_NOTIMPL; }
STDMETHODIMP AudioCDRipper::RipTrackToOGG(BSTR) { return E_NOTIMPL; }

STDMETHODIMP AudioCDRipper::StopRip() {
    return member([&]() -> Raised {
        log_.line("Stop Rip!");
        if (!ripInProgress_) return std::nullopt;
        if (mediaChangedGate()) return MEDIA_CHANGED;
        stopRip_.exchange(1);
        return std::nullopt;
    });
}
