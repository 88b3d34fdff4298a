// Output names by the ten naming schemes, the folders they create, and names made from hostile
// titles that must stay inside the output folder.
#include "OutputNames.h"
#include "SafeFileNames.h"
#include "SharedState.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace app;

namespace {

TrackLists OneTrack(std::string artist, std::string album, std::string title, int tracks = 1) {
  TrackLists lists;
  for (int i = 0; i < tracks; ++i) {
    lists.TrackArtists.push_back(artist);
    lists.TrackAlbums.push_back(album);
    lists.TrackTitles.push_back(title);
  }
  return lists;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class OutputNames : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = WithOneTrailingBackslash(std::string(temp) + "talvo-names-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::remove_all(folder_);
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string folder_;
};

}  // namespace

TEST_F(OutputNames, EachSchemeJoinsItsPartsAndCreatesItsFolders) {
  const TrackLists lists = OneTrack("Artist", "Album", "Title", 12);
  const std::pair<int, const char*> schemes[] = {
      {0, "Title"}, {1, "12Title"}, {2, "12ArtistTitle"}, {3, "12ArtistAlbumTitle"}, {4, "ArtistTitle"},
      {5, "ArtistAlbumTitle"}, {6, "Artist\\Title"}, {7, "Artist\\12Title"}, {8, "Artist\\Album\\Title"},
      {9, "Artist\\Album\\12Title"}, {10, "Title"}, {-1, "Title"}};
  for (const auto& [scheme, name] : schemes) {
    std::filesystem::remove_all(folder_ + "Artist");
    EXPECT_EQ(BuildOutputName(scheme, 12, lists, folder_), name) << scheme;
    EXPECT_EQ(IsFolder(folder_ + "Artist"), scheme >= 6 && scheme <= 9) << scheme;
    EXPECT_EQ(IsFolder(folder_ + "Artist\\Album"), scheme == 8 || scheme == 9) << scheme;
  }
  TrackLists fresh;
  fresh.TrackTitles = {"Track 01"};
  EXPECT_EQ(BuildOutputName(1, 1, fresh, folder_), "1Track 01");
}

TEST_F(OutputNames, AnExistingArtistFolderKeepsItsFilesAndGetsTheAlbumFolder) {
  ASSERT_TRUE(CreateDirectoryA((folder_ + "Artist").c_str(), nullptr));
  ASSERT_TRUE(CloseHandle(CreateFileA((folder_ + "Artist\\keep.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      0, nullptr)));
  EXPECT_EQ(BuildOutputName(8, 1, OneTrack("Artist", "Album", "Title"), folder_), "Artist\\Album\\Title");
  EXPECT_TRUE(IsFolder(folder_ + "Artist\\Album"));
  EXPECT_TRUE(std::filesystem::exists(folder_ + "Artist\\keep.txt"));
}

TEST_F(OutputNames, HostileTitlesStayOneNameInsideTheOutputFolder) {
  const std::pair<std::string, const char*> titles[] = {
      {"..\\..\\Windows\\evil", ".._.._Windows_evil"},
      {"../../etc/passwd", ".._.._etc_passwd"},
      {"C:\\boot", "C__boot"},
      {"\\\\server\\share", "__server_share"},
      {"a:b*c?d\"e<f>g|h", "a_b_c_d_e_f_g_h"},
      {std::string("tab\there\x01\x7F"), "tab_here__"},
      {"..", "_"},
      {".", "_"},
      {"", "_"},
      {"Trailing. . ", "Trailing"},
      {"CON", "_CON"},
      {"nul.txt", "_nul.txt"},
      {"com1", "_com1"},
      {"LPT9 .x", "_LPT9 .x"},
      {"Console", "Console"},
      {"COM10", "COM10"}};
  for (const auto& [title, name] : titles) {
    EXPECT_EQ(BuildOutputName(0, 1, OneTrack("A", "B", title), folder_), name) << title;
  }
  // The folders of schemes 6-9 are made safe too, and made where the name says.
  EXPECT_EQ(BuildOutputName(9, 3, OneTrack("..", "../x", "AUX", 3), folder_), "_\\.._x\\3AUX");
  EXPECT_TRUE(IsFolder(folder_ + "_\\.._x"));
  EXPECT_EQ(BuildOutputName(8, 3, OneTrack("..", "../x", "AUX", 3), folder_), "_\\.._x\\_AUX");
  // No entry for the track: a safe name rather than a file called ".mp3".
  EXPECT_EQ(BuildOutputName(0, 5, OneTrack("A", "B", "C"), folder_), "_");
}

TEST_F(OutputNames, LongNamesAreCutToFitThePathLimit) {
  const std::string longText(300, 'x');
  for (int scheme : {0, 3, 9}) {
    const std::string name = BuildOutputName(scheme, 7, OneTrack(longText, longText + ".", longText, 7), folder_);
    EXPECT_EQ(folder_.size() + name.size(), PathLimit()) << scheme;
    EXPECT_NE(name.back(), '.');
  }
  const std::string name = BuildOutputName(9, 7, OneTrack(longText, longText, longText, 7), folder_);
  EXPECT_TRUE(IsFolder(folder_ + name.substr(0, name.rfind('\\'))));
}

TEST(OutputFolder, EndsWithExactlyOneBackslash) {
  const std::pair<const char*, const char*> folders[] = {
      {"C:\\Music", "C:\\Music\\"}, {"C:\\Music\\", "C:\\Music\\"}, {"C:\\Music\\\\\\", "C:\\Music\\"},
      {"C:\\Music/", "C:\\Music\\"}, {"C:", "C:\\"}, {"C:\\", "C:\\"}, {"", ""}};
  for (const auto& [given, kept] : folders) {
    SharedSettings settings;
    settings.SetOutputFolder(given);
    EXPECT_EQ(settings.OutputFolder(), kept) << given;
  }
}
