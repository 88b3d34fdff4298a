#include "FolderListing.h"

namespace app {

namespace {
// The old volume-label attribute, which a listing of "*.*" may still report.
constexpr DWORD kVolumeLabel = 0x8;
}  // namespace

FolderListing::FolderListing(const std::string& folder) {
  if (folder.empty()) return;
  search_ = FindFirstFileA((folder + "*.*").c_str(), &found_);
  pending_ = search_ != INVALID_HANDLE_VALUE;
}

FolderListing::~FolderListing() {
  if (search_ != INVALID_HANDLE_VALUE) FindClose(search_);
}

bool FolderListing::Next(FolderFile& file) {
  if (!pending_) pending_ = search_ != INVALID_HANDLE_VALUE && FindNextFileA(search_, &found_);
  if (!pending_) return false;
  pending_ = false;
  file = {};
  if (found_.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | kVolumeLabel)) return true;
  file.Name = found_.cFileName;
  file.Size = (static_cast<std::uint64_t>(found_.nFileSizeHigh) << 32) | found_.nFileSizeLow;
  return true;
}

}  // namespace app
