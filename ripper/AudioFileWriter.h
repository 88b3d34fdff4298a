// The outside AudioFile object as the rip engine writes to it. The convert tick writes from
// the media-check thread and the worker closes the file from its own: the object is
// registered "Both" and serialises its members itself.
#pragma once

#include "FileReplacement.h"
#include "PcmHandOver.h"

#include "ZEVAudioFile.h"

#include <atomic>

class AudioFileWriter final : public rip::SampleWriter {
public:
    // For the next rip's file, created by the object under the output's working name.
    void Begin(IAudioFile* file, rip::FileReplacement* output) {
        file_ = file;
        output_ = output;
        writeFailed_ = false;
    }
    void WriteSamples(SAFEARRAY* samples) override;
    // False also when a write of this file failed: the file then lacks audio and is not kept.
    bool CloseFile() override;
    void Discard() override;
    bool Replaces() const override { return output_ && output_->Replaces(); }

private:
    IAudioFile* file_ = nullptr;
    rip::FileReplacement* output_ = nullptr;
    std::atomic<bool> writeFailed_{false};
};
