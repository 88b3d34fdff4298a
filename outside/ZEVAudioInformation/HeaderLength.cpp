#include "outside/ZEVAudioInformation/HeaderLength.h"

#include "outside/ZEVAudioFile/AudioReader.h"
#include "outside/ZEVAudioFile/File.h"
#include "outside/ZEVAudioFile/FileName.h"

#include <mpg123.h>
#include <taglib/asffile.h>
#include <taglib/vorbisfile.h>

#include <memory>
#include <mutex>

namespace audioinfo {
namespace {

using audiofile::File;

mpg123_ssize_t readFile(void* handle, void* data, size_t bytes) {
  return static_cast<mpg123_ssize_t>(static_cast<File*>(handle)->read(data, bytes));
}

off_t seekFile(void* handle, off_t offset, int whence) {
  const DWORD origin = whence == SEEK_CUR ? FILE_CURRENT : whence == SEEK_END ? FILE_END : FILE_BEGIN;
  return static_cast<off_t>(static_cast<File*>(handle)->seek(offset, origin));
}

struct Mpg123Deleter {
  void operator()(mpg123_handle* handle) const { mpg123_delete(handle); }
};

// Taggers and broken writers leave junk before the first frame; mpg123 gives up after 1 KiB of
// it unless told otherwise.
constexpr long kResyncLimit = 64 * 1024;

// Frames whose bitrates are compared to tell a constant bitrate from a variable one.
constexpr int kBitrateProbeFrames = 16;

// True when the frames after the first keep its bitrate (or the stream ends first).
bool keepsFirstBitrate(mpg123_handle* decoder) {
  mpg123_frameinfo first{};
  if (mpg123_info(decoder, &first) != MPG123_OK) return false;
  for (int i = 0; i < kBitrateProbeFrames; ++i) {
    if (mpg123_framebyframe_next(decoder) != MPG123_OK) return true;
    mpg123_frameinfo next{};
    if (mpg123_info(decoder, &next) != MPG123_OK || next.bitrate != first.bitrate) return false;
  }
  return true;
}

// Whether the bytes from the first frame to the end can hold the frames the header counts: at
// least that many of the smallest frame the rate has, or at a constant bitrate of the first
// frame's size (give or take the padding byte and two frames). A file cut short fails.
bool holdsCountedFrames(mpg123_handle* decoder, const mpg123_frameinfo& info, int64_t fileBytes) {
  const off_t frames = mpg123_framelength(decoder);
  const off_t start = mpg123_framepos(decoder);
  if (frames < 0 || start < 0) return false;
  const bool mpeg1 = info.version == MPG123_1_0;
  // Layer III: 1152 samples a frame in MPEG-1, 576 in MPEG-2 and 2.5; 32 and 8 kbit/s at least.
  const int64_t smallest = (mpeg1 ? 144 * 32000 : 72 * 8000) / info.rate;
  const int64_t frameBytes = info.vbr == MPG123_CBR ? info.framesize - 1 : smallest;  // with its header
  return fileBytes - start >= (static_cast<int64_t>(frames) - 2) * frameBytes;
}

// mpg123 reads the first frames as it does before decoding: past ID3v2 tags and junk, the
// Xing or Info frame's count less LAME's encoder delay and padding, or for a constant bitrate
// without one the stream's bytes over the frame size. A variable bitrate without a count, and a
// count the file cannot hold, have the frame headers scanned, which reads the file but decodes
// nothing.
std::optional<int64_t> mp3DurationMs(const std::wstring& path) {
  static std::once_flag initialised;
  std::call_once(initialised, [] { mpg123_init(); });
  DWORD error = 0;
  File file = File::openForReading(path, error);
  if (!file) return std::nullopt;
  std::unique_ptr<mpg123_handle, Mpg123Deleter> decoder(mpg123_new(nullptr, nullptr));
  if (!decoder) return std::nullopt;
  mpg123_param(decoder.get(), MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0);
  mpg123_param(decoder.get(), MPG123_RESYNC_LIMIT, kResyncLimit, 0);
  long rate = 0;
  int channels = 0, encoding = 0;
  if (mpg123_replace_reader_handle(decoder.get(), readFile, seekFile, nullptr) != MPG123_OK ||
      mpg123_open_handle(decoder.get(), &file) != MPG123_OK ||
      mpg123_getformat(decoder.get(), &rate, &channels, &encoding) != MPG123_OK || rate <= 0)
    return std::nullopt;
  mpg123_frameinfo info{};
  if (mpg123_info(decoder.get(), &info) != MPG123_OK || info.layer != 3) return std::nullopt;
  // Only an Info frame, or none, leaves the mode at a constant bitrate.
  const bool counted = holdsCountedFrames(decoder.get(), info, file.size()) &&
                       (info.vbr != MPG123_CBR || keepsFirstBitrate(decoder.get()));
  if (!counted && mpg123_scan(decoder.get()) != MPG123_OK) return std::nullopt;
  const off_t frames = mpg123_length(decoder.get());
  if (frames < 0) return std::nullopt;
  return static_cast<int64_t>(frames) * 1000 / rate;
}

bool isWmaCodec(TagLib::ASF::Properties::Codec codec) {
  using C = TagLib::ASF::Properties::Codec;
  return codec == C::WMA1 || codec == C::WMA2 || codec == C::WMA9Pro || codec == C::WMA9Lossless;
}

bool hasPlayableChannels(const TagLib::AudioProperties& properties) {
  return properties.channels() == 1 || properties.channels() == 2;
}

// The ASF file properties' play duration less the preroll.
std::optional<int64_t> wmaDurationMs(const std::wstring& path) {
  const TagLib::ASF::File file(path.c_str(), true, TagLib::AudioProperties::Fast);
  const auto* properties = file.isValid() ? file.audioProperties() : nullptr;
  if (!properties || !isWmaCodec(properties->codec()) || !hasPlayableChannels(*properties)) return std::nullopt;
  return properties->lengthInMilliseconds();
}

// The last page's granule position: the samples up to the end of the stream.
std::optional<int64_t> oggDurationMs(const std::wstring& path) {
  const TagLib::Ogg::Vorbis::File file(path.c_str(), true, TagLib::AudioProperties::Fast);
  const auto* properties = file.isValid() ? file.audioProperties() : nullptr;
  if (!properties || !hasPlayableChannels(*properties)) return std::nullopt;
  return properties->lengthInMilliseconds();
}

// A WAV file's reader needs only its header: the data chunk's size.
std::optional<int64_t> wavDurationMs(const std::wstring& path) {
  const auto opened = audiofile::openAudioReader(path);
  if (!opened.reader) return std::nullopt;
  return opened.reader->totalFrames() * 1000 / opened.reader->format().sampleRate;
}

}  // namespace

std::optional<int64_t> headerDurationMs(const std::wstring& path) {
  const std::wstring extension = audiofile::lowerExtension(path);
  if (extension == L"mp3") return mp3DurationMs(path);
  if (extension == L"wma") return wmaDurationMs(path);
  if (extension == L"ogg") return oggDurationMs(path);
  if (extension == L"wav") return wavDurationMs(path);
  return std::nullopt;
}

}  // namespace audioinfo
