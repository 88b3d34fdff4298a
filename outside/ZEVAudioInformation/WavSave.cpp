#include "outside/ZEVAudioInformation/WavSave.h"

#include "outside/ZEVAudioFile/File.h"
#include "outside/ZEVAudioFile/WavLayout.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace audioinfo {
namespace {

using audiofile::File;
using audiofile::WavLayout;

constexpr int64_t kLargestDataSize = 0xFFFFFFFE;  // all ones means "unknown"

bool writeAt(File& file, int64_t offset, const void* data, size_t bytes) {
  return file.seek(offset, FILE_BEGIN) >= 0 && file.write(data, bytes);
}

bool writeSize(File& file, int64_t offset, uint32_t size) {
  const uint8_t bytes[4] = {static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                            static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)};
  return writeAt(file, offset, bytes, sizeof bytes);
}

// The data chunk's header takes the place of the chunks after it, and they move up before it.
bool moveEmptyDataChunkLast(File& file, const WavLayout& layout) {
  const int64_t end = file.size();
  if (end < layout.dataOffset) return false;
  std::vector<uint8_t> after(static_cast<size_t>(end - layout.dataOffset));
  if (after.empty()) return true;
  const uint8_t header[8] = {'d', 'a', 't', 'a', 0, 0, 0, 0};
  return file.seek(layout.dataOffset, FILE_BEGIN) >= 0 && file.read(after.data(), after.size()) == after.size() &&
         writeAt(file, layout.dataOffset - 8, after.data(), after.size()) && file.write(header, sizeof header);
}

// The file open for writing in place with its layout, or nothing when either fails.
std::optional<WavLayout> openWav(const std::wstring& path, File& file) {
  DWORD error = 0;
  file = File::openForUpdate(path, error);
  if (!file) return std::nullopt;
  return audiofile::readWavLayout(file);
}

}  // namespace

bool saveKeepingWavAudio(const std::wstring& path, const std::function<bool()>& save) {
  bool emptyData = false;
  {
    File file;
    const auto layout = openWav(path, file);
    if (!layout || layout->dataBytes > kLargestDataSize) return false;
    emptyData = layout->dataBytes == 0;
    if (layout->dataSizeField != layout->dataBytes &&
        !writeSize(file, layout->dataOffset - 4, static_cast<uint32_t>(layout->dataBytes)))
      return false;
    if (!file.close()) return false;
  }
  if (!save()) return false;
  if (!emptyData) return true;
  File file;
  const auto layout = openWav(path, file);
  return layout && moveEmptyDataChunkLast(file, *layout) && file.close();
}

}  // namespace audioinfo
