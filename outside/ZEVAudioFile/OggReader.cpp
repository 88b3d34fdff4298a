#include "outside/ZEVAudioFile/OggReader.h"

#include "outside/ZEVAudioFile/OggStreamPages.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <vector>

namespace audiofile {
namespace {

constexpr size_t kCountBlockFrames = 16384;
constexpr int64_t kTailBytes = 1 << 16;

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
  OggVorbis_File& vorbis = decoder_->file;
  if (ov_open_callbacks(&file_, &vorbis, nullptr, 0, callbacks) != 0) return false;
  decoder_->open = true;
  const vorbis_info* info = ov_info(&vorbis, -1);
  const ogg_int64_t claimed = ov_pcm_total(&vorbis, -1);
  if (!info || info->channels < 1 || info->channels > 2 || claimed < 0) return false;
  format_ = {static_cast<int>(info->rate), info->channels};
  totalFrames_ = lengthAsRead();
  if (totalFrames_ < 0) return false;
  if (claimed > totalFrames_) trimClaimedLength(claimed - totalFrames_);
  return ov_pcm_seek(&vorbis, 0) == 0;
}

int64_t OggReader::lengthAsRead() {
  OggVorbis_File& vorbis = decoder_->file;
  const int last = static_cast<int>(ov_streams(&vorbis)) - 1;
  const long serial = ov_serialnumber(&vorbis, last);
  int64_t lastStreamStart = 0;
  for (int link = 0; link < last; ++link) lastStreamStart += ov_raw_total(&vorbis, link);
  const int64_t fileEnd = file_.size();
  if (fileEnd < 0) return -1;
  // The stream's first pages, its headers, give position 0, so the search ends there at the
  // latest; pages hold at most 64 kB, so the first tail holds the final page's predecessor as a
  // rule.
  for (int64_t tail = kTailBytes;; tail *= 2) {
    const int64_t from = std::max(fileEnd - tail, lastStreamStart);
    const auto pages = oggStreamPagesFrom(file_, from, serial);
    if (!pages) return -1;
    for (size_t i = pages->size(); i-- > 1;) {
      const OggPagePlace& page = (*pages)[i - 1];
      if (page.granule != -1 && seekLandsBefore(page.offset, pages->back().offset))
        return ov_pcm_tell(&vorbis) + framesToTheEnd();
    }
    if (from == lastStreamStart) return -1;
  }
}

bool OggReader::seekLandsBefore(int64_t offset, int64_t finalPage) {
  OggVorbis_File& vorbis = decoder_->file;
  // A packet carried over from the page before is dropped, so when the only one ending on the
  // page at offset is such a packet, the position comes from a later page.
  return ov_raw_seek(&vorbis, offset) == 0 && vorbis.offset <= finalPage;
}

int64_t OggReader::framesToTheEnd() {
  std::vector<int16_t> scratch(kCountBlockFrames * static_cast<size_t>(format_.channels));
  int64_t frames = 0;
  while (const size_t got = read(scratch.data(), kCountBlockFrames)) frames += static_cast<int64_t>(got);
  return frames;
}

// ov_pcm_seek bisects by the stream's length: with an end time far off, every guess lands at
// the start of the range and the search walks the file a page at a time (a claim of 2^62 frames
// turns a seek into a read of the whole file). The length a read gives keeps seeks fast, and
// a seek to the end then reports that length, not the claim.
void OggReader::trimClaimedLength(int64_t excess) {
  OggVorbis_File& vorbis = decoder_->file;
  vorbis.pcmlengths[2 * (vorbis.links - 1) + 1] -= excess;
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
