#include "outside/ZEVAudioFile/OggReader.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>

namespace audiofile {
namespace {

size_t readCallback(void* data, size_t size, size_t count, void* source) {
  if (size == 0) return 0;
  return static_cast<File*>(source)->read(data, size * count) / size;
}

int seekCallback(void* source, ogg_int64_t offset, int whence) {
  const DWORD origin = whence == SEEK_CUR ? FILE_CURRENT : whence == SEEK_END ? FILE_END : FILE_BEGIN;
  return static_cast<File*>(source)->seek(offset, origin) < 0 ? -1 : 0;
}

long tellCallback(void* source) { return static_cast<long>(static_cast<File*>(source)->seek(0, FILE_CURRENT)); }

}  // namespace

// vorbisfile's state, cleared only when it was opened (a failed open cleans up itself).
struct OggReader::Decoder {
  OggVorbis_File file{};
  bool open = false;
  ~Decoder() {
    if (open) ov_clear(&file);
  }
};

OggReader::OggReader(File file) : file_(std::move(file)), decoder_(std::make_unique<Decoder>()) {}

OggReader::~OggReader() = default;

std::unique_ptr<OggReader> OggReader::open(File file) {
  std::unique_ptr<OggReader> reader(new OggReader(std::move(file)));
  if (!reader->start()) return nullptr;
  return reader;
}

bool OggReader::start() {
  const ov_callbacks callbacks = {readCallback, seekCallback, nullptr, tellCallback};
  if (ov_open_callbacks(&file_, &decoder_->file, nullptr, 0, callbacks) != 0) return false;
  decoder_->open = true;
  const vorbis_info* info = ov_info(&decoder_->file, -1);
  const ogg_int64_t length = ov_pcm_total(&decoder_->file, -1);
  if (!info || info->channels < 1 || info->channels > 2 || length < 0) return false;
  format_ = {static_cast<int>(info->rate), info->channels};
  totalFrames_ = length;
  return true;
}

int64_t OggReader::seek(int64_t frame) {
  if (ov_pcm_seek(&decoder_->file, std::clamp<int64_t>(frame, 0, totalFrames_)) != 0) return -1;
  return ov_pcm_tell(&decoder_->file);
}

size_t OggReader::read(int16_t* out, size_t frames) {
  const size_t frameBytes = sizeof(int16_t) * static_cast<size_t>(format_.channels);
  char* buffer = reinterpret_cast<char*>(out);
  const size_t wanted = frames * frameBytes;
  size_t filled = 0;
  while (filled < wanted) {
    int section = 0;
    const int chunk = static_cast<int>(std::min<size_t>(wanted - filled, 1 << 16));
    const long got = ov_read(&decoder_->file, buffer + filled, chunk, 0, 2, 1, &section);
    if (got == OV_HOLE) continue;  // a gap in damaged data: go on after it
    if (got <= 0) break;
    filled += static_cast<size_t>(got);
  }
  return filled / frameBytes;
}

}  // namespace audiofile
