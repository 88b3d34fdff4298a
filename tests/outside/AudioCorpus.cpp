#include "tests/outside/AudioCorpus.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace outside_test {

std::vector<CorpusFile> audioCorpus() {
  const std::string folder = TALVO_AUDIO_CORPUS;
  std::ifstream list(folder + "/corpus.tsv");
  std::vector<CorpusFile> files;
  std::string line;
  while (std::getline(list, line)) {
    std::istringstream fields(line);
    CorpusFile file;
    std::getline(fields, file.name, '\t');
    fields >> file.codec >> file.sampleRate >> file.channels >> file.frames;
    // Windows takes forward slashes in a full path as well.
    const std::string full = folder + "/" + file.name;
    file.path.assign(full.begin(), full.end());
    files.push_back(std::move(file));
  }
  EXPECT_FALSE(files.empty()) << "no audio corpus in " << folder;
  return files;
}

}  // namespace outside_test
