// The files of one folder, read one directory entry at a time so that the player's scan can let
// the message queue run between entries. The listing owns its search handle.
#pragma once

#include <cstdint>
#include <string>

#include "Win32.h"

namespace app {

struct FolderFile {
  std::string Name;
  std::uint64_t Size = 0;
};

class FolderListing {
 public:
  // folder ends in a backslash; a folder that cannot be read lists nothing.
  explicit FolderListing(const std::string& folder);
  ~FolderListing();
  FolderListing(const FolderListing&) = delete;
  FolderListing& operator=(const FolderListing&) = delete;

  // The next directory entry: true with file filled when it is a file, true with file's name
  // empty for an entry that is not (a sub-folder, a volume label); false at the end.
  bool Next(FolderFile& file);

 private:
  HANDLE search_ = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAA found_{};
  bool pending_ = false;  // found_ holds an entry not yet handed out
};

}  // namespace app
