// String lists and ini files.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "IniFile.h"
#include "StringList.h"

namespace {

TEST(StringList, TextRoundTripsThroughLines) {
  ui::TStringList list;
  list.SetText("one\r\ntwo\nthree\rfour");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[3], "four");
  EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
}

TEST(StringList, EmptyLinesAreKept) {
  ui::TStringList list;
  list.SetText("a\r\n\r\nb\r\n");
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list[1], "");
}

TEST(StringList, ChangesAreToldOncePerUpdateBracket) {
  ui::TStringList list;
  int changes = 0;
  list.OnChange = [&] { ++changes; };
  list.Add("a");
  EXPECT_EQ(changes, 1);
  list.BeginUpdate();
  list.Add("b");
  list.Delete(0);
  list.SetString(0, "c");
  EXPECT_EQ(changes, 1);
  list.EndUpdate();
  EXPECT_EQ(changes, 2);
  list.BeginUpdate();
  list.EndUpdate();
  EXPECT_EQ(changes, 2);
}

TEST(StringList, SortedListsInsertInOrderIgnoringCase) {
  ui::TStringList list;
  list.SetSorted(true);
  list.Add("Tahoma");
  list.Add("arial");
  EXPECT_EQ(list.Add("Courier"), 1);
  EXPECT_EQ(list[0], "arial");
  EXPECT_EQ(list[2], "Tahoma");
  EXPECT_EQ(list.IndexOf("TAHOMA"), 2);
  EXPECT_THROW(list.Insert(0, "x"), std::logic_error);
}

TEST(StringList, ObjectsTravelWithTheirStrings) {
  ui::TStringList list;
  int tag = 7;
  list.Add("b");
  list.Add("a", &tag);
  list.SetSorted(true);
  EXPECT_EQ(list.Objects(0), &tag);
  list.Move(0, 1);
  EXPECT_EQ(list[1], "a");
  EXPECT_EQ(list.Objects(1), &tag);
}

TEST(StringList, OutOfRangeIndexesThrow) {
  ui::TStringList list;
  EXPECT_THROW(list.Delete(0), std::out_of_range);
  EXPECT_THROW(list.Strings(0), std::out_of_range);
}

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    path_ = std::string(folder) + "talvo_ini_test_" + std::to_string(GetCurrentProcessId()) + ".ini";
    DeleteFileA(path_.c_str());
  }
  void TearDown() override { DeleteFileA(path_.c_str()); }
  std::string path_;
};

TEST_F(IniFileTest, MissingKeysGiveTheDefaults) {
  ui::TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("FreeDB", "FreeDBCgi", "/~cddb/cddb.cgi"), "/~cddb/cddb.cgi");
  EXPECT_EQ(ini.ReadInteger("Mp3", "Mp3Freq", 7), 7);
  EXPECT_TRUE(ini.ReadBool("Mp3", "Mp3VBR", true));
}

TEST_F(IniFileTest, ValuesRoundTrip) {
  {
    ui::TIniFile ini(path_);
    ASSERT_TRUE(ini.WriteString("OutputPath", "RipperOutputPath", "C:\\Music\\"));
    ASSERT_TRUE(ini.WriteInteger("Mp3", "Mp3Freq", -3));
    ASSERT_TRUE(ini.WriteBool("Mp3", "Mp3VBR", true));
    ASSERT_TRUE(ini.WriteBool("Mp3", "Mp3VBRHeader", false));
  }
  ui::TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("OutputPath", "RipperOutputPath", ""), "C:\\Music\\");
  EXPECT_EQ(ini.ReadInteger("Mp3", "Mp3Freq", 0), -3);
  EXPECT_EQ(ini.ReadString("Mp3", "Mp3VBR", ""), "1");
  EXPECT_TRUE(ini.ReadBool("Mp3", "Mp3VBR", false));
  EXPECT_FALSE(ini.ReadBool("Mp3", "Mp3VBRHeader", true));
}

TEST_F(IniFileTest, NonNumbersReadAsTheDefault) {
  ui::TIniFile ini(path_);
  ini.WriteString("FreeDB", "FreeDBServer", "12abc");
  ini.WriteString("FreeDB", "Hex", "0x1F");
  EXPECT_EQ(ini.ReadInteger("FreeDB", "FreeDBServer", 4), 4);
  EXPECT_EQ(ini.ReadInteger("FreeDB", "Hex", 0), 31);
}

TEST_F(IniFileTest, LongValuesAreReadWhole) {
  ui::TIniFile ini(path_);
  const std::string longValue(3000, 'x');
  ini.WriteString("S", "K", longValue);
  EXPECT_EQ(ini.ReadString("S", "K", ""), longValue);
}

TEST_F(IniFileTest, DeletedKeysAndSectionsAreGone) {
  ui::TIniFile ini(path_);
  ini.WriteString("A", "k1", "v");
  ini.WriteString("A", "k2", "v");
  ini.WriteString("B", "k", "v");
  ini.DeleteKey("A", "k1");
  EXPECT_EQ(ini.ReadString("A", "k1", "gone"), "gone");
  EXPECT_EQ(ini.ReadString("A", "k2", ""), "v");
  ini.EraseSection("B");
  EXPECT_EQ(ini.ReadString("B", "k", "gone"), "gone");
}

}  // namespace
