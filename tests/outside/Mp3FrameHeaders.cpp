#include "tests/outside/Mp3FrameHeaders.h"

#include <mpg123.h>

#include <algorithm>
#include <cstring>

namespace outside_test {
namespace {

// LAME writes its header frame's tag right after the side information of the first frame.
std::string headerFrameTag(const std::vector<uint8_t>& bytes) {
  const size_t limit = std::min<size_t>(bytes.size(), 64);
  for (size_t i = 4; i + 4 <= limit; ++i)
    for (const char* tag : {"Xing", "Info"})
      if (std::memcmp(&bytes[i], tag, 4) == 0) return tag;
  return {};
}

}  // namespace

Mp3FrameHeaders inspectMp3(const std::vector<uint8_t>& bytes) {
  Mp3FrameHeaders result;
  result.headerFrameTag = headerFrameTag(bytes);
  mpg123_init();
  mpg123_handle* h = mpg123_new(nullptr, nullptr);
  mpg123_param(h, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
  mpg123_format_none(h);
  const long* rates;
  size_t count;
  mpg123_rates(&rates, &count);
  for (size_t i = 0; i < count; ++i) mpg123_format(h, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  mpg123_open_feed(h);
  mpg123_feed(h, bytes.data(), bytes.size());
  while (true) {
    const int rc = mpg123_framebyframe_next(h);
    if (rc != MPG123_OK && rc != MPG123_NEW_FORMAT) break;
    mpg123_frameinfo info;
    mpg123_info(h, &info);
    result.frames.push_back({info.rate, info.bitrate, info.mode, info.mode_ext, (info.flags & MPG123_CRC) != 0,
                             info.emphasis});
    long rate;
    int encoding;
    mpg123_getformat(h, &rate, &result.channels, &encoding);
    unsigned char* audio = nullptr;
    size_t size = 0;
    off_t number;
    if (mpg123_framebyframe_decode(h, &number, &audio, &size) == MPG123_OK && audio)
      result.pcm.insert(result.pcm.end(), reinterpret_cast<int16_t*>(audio), reinterpret_cast<int16_t*>(audio + size));
  }
  mpg123_delete(h);
  return result;
}

}  // namespace outside_test
