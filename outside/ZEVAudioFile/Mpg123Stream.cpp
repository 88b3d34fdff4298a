#include "outside/ZEVAudioFile/Mpg123Stream.h"

#include <mpg123.h>

#include <mutex>

namespace audiofile {
namespace {

// Taggers and broken writers leave junk before the first frame; mpg123 gives up after 1 KiB of
// it unless told otherwise.
constexpr long kResyncLimit = 64 * 1024;

mpg123_ssize_t readCallback(void* handle, void* data, size_t bytes) {
  return static_cast<mpg123_ssize_t>(static_cast<ReadAheadFile*>(handle)->read(data, bytes));
}

off_t seekCallback(void* handle, off_t offset, int whence) {
  const DWORD origin = whence == SEEK_CUR ? FILE_CURRENT : whence == SEEK_END ? FILE_END : FILE_BEGIN;
  return static_cast<off_t>(static_cast<ReadAheadFile*>(handle)->seek(offset, origin));
}

}  // namespace

void Mpg123Deleter::operator()(mpg123_handle_struct* decoder) const { mpg123_delete(decoder); }

Mpg123Decoder newMpg123Decoder() {
  static std::once_flag initialised;
  std::call_once(initialised, [] { mpg123_init(); });
  Mpg123Decoder decoder(mpg123_new(nullptr, nullptr));
  if (!decoder) return decoder;
  mpg123_param(decoder.get(), MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0);
  mpg123_param(decoder.get(), MPG123_RESYNC_LIMIT, kResyncLimit, 0);
  return decoder;
}

bool openMpg123Stream(mpg123_handle_struct* decoder, ReadAheadFile& input) {
  return input.seek(0, FILE_BEGIN) >= 0 &&
         mpg123_replace_reader_handle(decoder, readCallback, seekCallback, nullptr) == MPG123_OK &&
         mpg123_open_handle(decoder, &input) == MPG123_OK;
}

}  // namespace audiofile
