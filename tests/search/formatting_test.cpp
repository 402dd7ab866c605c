#include <gtest/gtest.h>

#include "platform/locale.h"
#include "search/formatting.h"
#include "search/minimize_name.h"
#include "support/local_clock.h"

namespace {
bool German() { return CurrentLocale().decimalSeparator == ","; }
} // namespace

TEST(Formatting, GroupThousandsGerman) {
    if (!German()) GTEST_SKIP() << "needs de_DE.UTF-8";
    EXPECT_EQ(GroupThousands("999"), "999");
    EXPECT_EQ(GroupThousands("1000"), "1.000");
    EXPECT_EQ(GroupThousands("1234567"), "1.234.567");
    EXPECT_EQ(GroupThousands("1234,5"), "1.234,5");
    EXPECT_EQ(GroupThousands("123,456"), "123,456");
    EXPECT_EQ(GroupThousands("9223372036854775807"), "9.223.372.036.854.775.807");
}

TEST(Formatting, SizeTextsOfTheThreeUnitsGerman) {
    if (!German()) GTEST_SKIP() << "needs de_DE.UTF-8";
    EXPECT_EQ(SizeText(1234567, UnitByte), "1.234.567");
    EXPECT_EQ(SizeText(1234567, UnitKilobyte), "   1.205,632");
    EXPECT_EQ(SizeText(1234567, UnitMegabyte), " 1,177375"); // 1234567 / 1048576 = 1.1773748
    EXPECT_EQ(SizeText(0, UnitByte), "0");
    EXPECT_EQ(SizeText(0, UnitKilobyte), "       0,000");
    EXPECT_EQ(SizeText(0, UnitMegabyte), " 0,000000");
    // Sums beyond 32 bits.
    EXPECT_EQ(SizeText(5368709120LL, UnitByte), "5.368.709.120");
    EXPECT_EQ(SizeText(5368709120LL, UnitMegabyte), "5.120,000000");
}

TEST(Formatting, DateTextPlainAndWithWeekdayGerman) {
    if (!German()) GTEST_SKIP() << "needs de_DE.UTF-8";
    const std::time_t christmasEve = LocalClock(2003, 12, 24, 13, 45, 12); // a Wednesday
    EXPECT_EQ(DateText(christmasEve, false), "24.12.2003 13:45:12");
    EXPECT_EQ(DateText(christmasEve, true), "Mi, 24.12.2003, 13:45:12");
}

TEST(FormattingAnyLocale, FollowsTheLocaleSeparators) {
    const LocaleFormats& loc = CurrentLocale();
    const std::string grouped = GroupThousands("1234567");
    if (loc.thousandsSeparator.empty())
        EXPECT_EQ(grouped, "1234567"); // no separator: unchanged
    else
        EXPECT_EQ(grouped, "1" + loc.thousandsSeparator + "234" + loc.thousandsSeparator + "567");
    EXPECT_NE(SizeText(1024, UnitKilobyte).find("1" + loc.decimalSeparator + "000"), std::string::npos);
    EXPECT_EQ(SizeText(1024, UnitKilobyte).size(), 12u);
}

TEST(MinimizeName, CutsOneLeadingFolderPerPass) {
    const TextWidth chars = [](std::string_view s) { return static_cast<int>(s.size()); };
    const std::string path = "/aaaa/bbbb/cccc/file.txt";
    EXPECT_EQ(MinimizeName(path, chars, 24), path);
    EXPECT_EQ(MinimizeName(path, chars, 23), "/.../bbbb/cccc/file.txt");
    EXPECT_EQ(MinimizeName(path, chars, 18), "/.../cccc/file.txt");
    EXPECT_EQ(MinimizeName(path, chars, 17), "/.../file.txt");
    EXPECT_EQ(MinimizeName(path, chars, 12), ".../file.txt");
    EXPECT_EQ(MinimizeName(path, chars, 11), "file.txt");
    EXPECT_EQ(MinimizeName(path, chars, 1), "file.txt"); // the name is never cut
}
