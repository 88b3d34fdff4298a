// Reading track titles from CDDB entry texts, and the order in which a look-up asks its sources.
#include "ripper/CddbLookupSource.h"

#include "CddbEntryTitles.h"

#include "ZEVDiscRipper.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace cddb;

namespace {

struct Walk {
    CddbTitles titles;
    std::vector<std::pair<int, std::string>> lines;  // what each line reported

    explicit Walk(const std::string& text) {
        ReadEntryTitles(text.c_str(), titles,
                        [&](int index, const std::string& title) { lines.emplace_back(index, title); });
    }
};

}  // namespace

TEST(EntryTitles, EachTitleLineFillsItsIndex) {
    Walk walk("# xmcd\r\nDISCID=0200c601\r\nDTITLE=A / B\r\nTTITLE0=First\r\nTTITLE1=Second\r\nEXTD=\r\n.\r\n");
    EXPECT_EQ(walk.titles[0], "First");
    EXPECT_EQ(walk.titles[1], "Second");
    EXPECT_EQ(walk.titles[2], "");
}

TEST(EntryTitles, LinesRepeatingAnIndexJoin) {
    Walk walk("TTITLE0=A\r\nTTITLE0=B\r\n");
    EXPECT_EQ(walk.titles[0], "AB");
}

TEST(EntryTitles, TwoDigitIndexes) {
    Walk walk("TTITLE12=Thirteenth\r\nTTITLE98=Last\r\nTTITLE10=\r\n");
    EXPECT_EQ(walk.titles[12], "Thirteenth");
    EXPECT_EQ(walk.titles[98], "Last");
    EXPECT_EQ(walk.titles[10], "");
    EXPECT_EQ(walk.titles[1], "");
}

TEST(EntryTitles, NothingAfterTheEqualsSignLeavesTheTitleEmpty) {
    Walk walk("TTITLE5=\r\nTTITLE6=Six\r\n");
    EXPECT_EQ(walk.titles[5], "");
    EXPECT_EQ(walk.titles[6], "Six");
}

TEST(EntryTitles, IndexNinetyNineIsIgnored) {
    Walk walk("TTITLE99=Beyond\r\n");
    for (const std::string& title : walk.titles) EXPECT_EQ(title, "");
    ASSERT_EQ(walk.lines.size(), 1u);
    EXPECT_EQ(walk.lines[0], std::make_pair(99, std::string()));
}

TEST(EntryTitles, LinesWithoutANumberNameNoTrack) {
    Walk walk("TTITLE=Nameless\r\nTTITLE-1=Negative\r\nTTITLEx=Letter\r\nTTITLE\r\n");
    for (const std::string& title : walk.titles) EXPECT_EQ(title, "");
}

TEST(EntryTitles, ShortTitleLinesReadNoFurtherThanTheirEnd) {
    Walk walk("TTITLE7\r\nTTITLE8=\r\nTTITLE9=x\r\n");
    EXPECT_EQ(walk.titles[7], "");
    EXPECT_EQ(walk.titles[8], "");
    EXPECT_EQ(walk.titles[9], "x");
}

TEST(EntryTitles, ALongLineIsReadUpToItsLimitAndJoinedTitlesStopAtTheTitleLength) {
    const std::string words(300, 'w');
    Walk one("TTITLE3=" + words + "\r\n");
    EXPECT_EQ(one.titles[3], std::string(kCddbLineLength - 8, 'w'));

    Walk many("TTITLE3=" + std::string(200, 'a') + "\r\nTTITLE3=" + std::string(200, 'b') + "\r\nTTITLE3=c\r\n");
    EXPECT_EQ(many.titles[3], std::string(200, 'a') + std::string(kCddbTitleLength - 200, 'b'));
}

TEST(EntryTitles, EveryLineReportsTheIndexLastNamedAndItsTitle) {
    Walk walk("DTITLE=A / B\r\nTTITLE0=One\r\nEXTD=\r\nTTITLE1=Two\r\nTTITLE1=More\r\n");
    const std::vector<std::pair<int, std::string>> expected{
        {0, ""}, {0, "One"}, {0, "One"}, {1, "Two"}, {1, "TwoMore"}};
    EXPECT_EQ(walk.lines, expected);
}

TEST(EntryTitles, TextWithoutLineEndsGivesNoTitle) {
    Walk walk("TTITLE0=Unfinished");
    EXPECT_EQ(walk.titles[0], "");
    Walk empty("");
    EXPECT_TRUE(empty.lines.empty());
    CddbTitles titles;
    ReadEntryTitles(nullptr, titles, [](int, const std::string&) { ADD_FAILURE(); });
}

TEST(LookupSource, AllAsksCdPlayerIniFirstThenTheOnlineDatabase) {
    const CddbLookupPlan plan = PlanCddbLookup(ALL);
    EXPECT_STREQ(plan.logText, "from any availabel");
    ASSERT_EQ(plan.passes, 2);
    EXPECT_EQ(plan.online[0], 0);
    EXPECT_EQ(plan.online[1], 1);
}

TEST(LookupSource, EachOtherSourceIsAskedOnce) {
    const CddbLookupPlan online = PlanCddbLookup(ONLINEDATABASE);
    EXPECT_STREQ(online.logText, "from on-line database");
    EXPECT_EQ(online.passes, 1);
    EXPECT_EQ(online.online[0], 1);

    const CddbLookupPlan ini = PlanCddbLookup(CDPLAYERINI);
    EXPECT_STREQ(ini.logText, "from cdplayer.ini");
    EXPECT_EQ(ini.passes, 1);
    EXPECT_EQ(ini.online[0], 0);

    for (long unknown : {3L, -1L, 1000L}) {
        const CddbLookupPlan plan = PlanCddbLookup(unknown);
        EXPECT_STREQ(plan.logText, "from <default>");
        EXPECT_EQ(plan.passes, 1);
        EXPECT_EQ(plan.online[0], 0);
    }
}
