#include "ripper/AudioFileWriter.h"

void AudioFileWriter::WriteSamples(SAFEARRAY* samples) {
    if (FAILED(file_->WriteSamples(&samples))) writeFailed_ = true;
}

bool AudioFileWriter::CloseFile() { return SUCCEEDED(file_->CloseFile()) && !writeFailed_; }
