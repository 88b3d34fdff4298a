#include "outside/ZEVAudioFile/OggReader.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <vector>

namespace audiofile {
namespace {

constexpr size_t kCheckBlockFrames = 16384;

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
  totalFrames_ = lengthAsRead(length);
  return totalFrames_ >= 0 && ov_pcm_seek(&decoder_->file, 0) == 0;
}

int64_t OggReader::lengthAsRead(int64_t claimed) {
  std::vector<int16_t> scratch(kCheckBlockFrames * static_cast<size_t>(format_.channels));
  for (int64_t back = kCheckBlockFrames;; back *= 4) {
    const int64_t from = std::max<int64_t>(claimed - back, 0);
    if (ov_pcm_seek(&decoder_->file, from) != 0) return -1;
    // A seek past the audio's real end stops there and reports the claimed end: then the end
    // lies further back.
    if (ov_pcm_tell(&decoder_->file) != from && from > 0) continue;
    int64_t end = from;
    while (const size_t got = read(scratch.data(), kCheckBlockFrames)) end += static_cast<int64_t>(got);
    if (end > from || from == 0) return end;
  }
}

int64_t OggReader::seek(int64_t frame) {
  if (ov_pcm_seek(&decoder_->file, std::clamp<int64_t>(frame, 0, totalFrames_)) != 0) return -1;
  // At the end of a file whose last page claims more, vorbisfile reports the claimed end.
  return std::min<int64_t>(ov_pcm_tell(&decoder_->file), totalFrames_);
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
