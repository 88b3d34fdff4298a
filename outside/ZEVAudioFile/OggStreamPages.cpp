#include "outside/ZEVAudioFile/OggStreamPages.h"

#include <ogg/ogg.h>

namespace audiofile {
namespace {

constexpr long kReadBytes = 1 << 16;

struct SyncState {
  ogg_sync_state state{};
  SyncState() { ogg_sync_init(&state); }
  ~SyncState() { ogg_sync_clear(&state); }
  SyncState(const SyncState&) = delete;
  SyncState& operator=(const SyncState&) = delete;
};

// Feeds the pages of the file from `from` to its end to `found`; false when the file fails.
template <class Found>
bool forEachPage(File& file, int64_t from, Found found) {
  const int64_t end = file.size();
  if (end < 0 || file.seek(from, FILE_BEGIN) < 0) return false;
  SyncState sync;
  int64_t read = from;
  int64_t offset = from;  // of the first byte libogg has not yet passed
  for (;;) {
    ogg_page page;
    const long step = ogg_sync_pageseek(&sync.state, &page);
    if (step > 0) {
      found(offset, page);
      offset += step;
    } else if (step < 0) {
      offset -= step;  // bytes skipped before the next capture pattern
    } else if (read == end) {
      return true;
    } else {
      char* buffer = ogg_sync_buffer(&sync.state, kReadBytes);
      const size_t got = buffer ? file.read(buffer, kReadBytes) : 0;
      if (got == 0 || ogg_sync_wrote(&sync.state, static_cast<long>(got)) != 0) return false;
      read += static_cast<int64_t>(got);
    }
  }
}

}  // namespace

std::optional<std::vector<OggPagePlace>> oggStreamPagesFrom(File& file, int64_t from, long serial) {
  const int64_t position = file.seek(0, FILE_CURRENT);
  if (position < 0) return std::nullopt;
  std::vector<OggPagePlace> pages;
  const bool read = forEachPage(file, from, [&](int64_t offset, ogg_page& page) {
    if (ogg_page_serialno(&page) == serial) pages.push_back({offset, ogg_page_granulepos(&page)});
  });
  if (file.seek(position, FILE_BEGIN) < 0 || !read) return std::nullopt;
  return pages;
}

}  // namespace audiofile
