#include "outside/ZEVAudioFile/Encoder.h"

#include <utility>

namespace audiofile {

Encoder::Encoder() = default;
Encoder::~Encoder() = default;

void Encoder::createFile(std::wstring path) {
  file_ = std::make_unique<OutputFile>(std::move(path));
  if (!file_->ok()) {
    status_ = Status::fileNotCreated;
    failFile();
  }
}

void Encoder::refuseSettings() {
  status_ = Status::settingsRefused;
  failed_ = true;
}

void Encoder::failFile() {
  if (!failed_) error_ = file_->error();
  failed_ = true;
}

bool Encoder::append(std::span<const unsigned char> bytes) {
  if (!failed_ && !file_->append(bytes)) failFile();
  return !failed_;
}

bool Encoder::overwrite(int64_t offset, std::span<const unsigned char> bytes) {
  if (!failed_ && !file_->overwrite(offset, bytes)) failFile();
  return !failed_;
}

bool Encoder::completeFile() {
  if (!file_) {
    failed_ = true;
  } else {
    if (!file_->finish(!failed_)) failFile();
    file_.reset();
  }
  return !failed_;
}

}  // namespace audiofile
