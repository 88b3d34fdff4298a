#include "ripper/AudioFileWriter.h"

void AudioFileWriter::WriteSamples(SAFEARRAY* samples) {
    if (FAILED(file_->WriteSamples(&samples))) writeFailed_ = true;
}

bool AudioFileWriter::CloseFile() {
    if (SUCCEEDED(file_->CloseFile()) && !writeFailed_) return output_->Commit();
    output_->Abandon();
    return false;
}

void AudioFileWriter::Discard() {
    file_->CloseFile();
    output_->Abandon();
}
