// The outside AudioFile object as the rip engine writes to it. The convert tick writes from
// the media-check thread and the worker closes the file from its own: the object is
// registered "Both" and serialises its members itself.
#pragma once

#include "PcmHandOver.h"

#include "ZEVAudioFile.h"

#include <atomic>

class AudioFileWriter final : public rip::SampleWriter {
public:
    // For the next rip's file.
    void Begin(IAudioFile* file) {
        file_ = file;
        writeFailed_ = false;
    }
    void WriteSamples(SAFEARRAY* samples) override;
    // False also when a write of this file failed: the file then lacks audio.
    bool CloseFile() override;

private:
    IAudioFile* file_ = nullptr;
    std::atomic<bool> writeFailed_{false};
};
