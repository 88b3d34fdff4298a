// Writes one set of tags through the tag component into each file named on the command line,
// for tags_read_by_others.py to read back with other programs' readers. Exit code: the number
// of files whose save failed.
#include "outside/ZEVAudioInformation/TagFile.h"

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  audioinfo::TagChanges changes;
  changes.title = L"Neuer Titel \u00E9\u00E8";
  changes.artist = L"Neuer K\u00FCnstler";
  changes.album = L"Neues Album";
  changes.genre = 17;  // "Rock"
  changes.year = 1999;
  int failed = 0;
  for (int i = 1; i < argc; ++i) {
    const bool saved = audioinfo::writeTags(argv[i], changes);
    std::fwprintf(stdout, L"%ls: %ls\n", argv[i], saved ? L"saved" : L"NOT SAVED");
    failed += saved ? 0 : 1;
  }
  return failed;
}
