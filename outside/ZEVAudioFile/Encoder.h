// An encoder writing one output file from interleaved 16-bit PCM. The base keeps the file and
// the first failure, so that after any failure every later call fails too and the incomplete
// file is deleted when finished.
#pragma once

#include "outside/ZEVAudioFile/OutputFile.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace audiofile {

// Sample rate and channel count of interleaved 16-bit PCM.
struct PcmFormat {
  int sampleRate = 44100;
  int channels = 2;
};

class Encoder {
 public:
  enum class Status { ok, settingsRefused, fileNotCreated };

  virtual ~Encoder();
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;

  Status status() const { return status_; }
  // The Windows error that failed the file, 0 when the failure was the encoder's own.
  DWORD error() const { return error_; }

  // Encodes whole frames of the input format and appends them to the file; false once the
  // encoder or the file failed.
  virtual bool write(std::span<const int16_t> samples) = 0;
  // Encodes what is still buffered and completes the file; false when the file is incomplete
  // (it is then deleted).
  virtual bool finish() = 0;

 protected:
  Encoder();

  // The derived constructor calls exactly one of these, after judging its settings.
  void createFile(std::wstring path);
  void refuseSettings();

  bool failed() const { return failed_; }
  void fail() { failed_ = true; }
  void failFile();
  bool append(std::span<const unsigned char> bytes);
  bool overwrite(int64_t offset, std::span<const unsigned char> bytes);
  // Closes the file; it stays only when nothing failed.
  bool completeFile();

 private:
  std::unique_ptr<OutputFile> file_;
  Status status_ = Status::ok;
  DWORD error_ = ERROR_SUCCESS;
  bool failed_ = false;
};

}  // namespace audiofile
