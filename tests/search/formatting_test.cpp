#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

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

// Exact ties round away from zero, as the platform's number format does.
TEST(Formatting, SizeTiesRoundHalfAwayFromZeroGerman) {
    if (!German()) GTEST_SKIP() << "needs de_DE.UTF-8";
    const struct {
        std::int64_t bytes;
        int unit;
        const char* text;
    } cases[] = {
        {64, UnitKilobyte, "       0,063"},     {320, UnitKilobyte, "       0,313"},
        {8192, UnitMegabyte, " 0,007813"},      {1, UnitKilobyte, "       0,001"}, // 0,0009765…
        {1535, UnitKilobyte, "       1,499"},   {1048575, UnitMegabyte, " 0,999999"},
        {1024LL * 1024 * 1000 + 512, UnitKilobyte, "1.024.000,500"},
        {INT64_MAX, UnitMegabyte, "8.796.093.022.207,999999"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SizeText(c.bytes, c.unit), c.text) << c.bytes;
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

// A hidden folder is cut like any other folder, one per pass; only the ellipsis of earlier
// passes goes whole. Dots are measured as nothing here, so the ellipsis itself fits.
TEST(MinimizeName, HiddenFoldersAreCutOneAtATime) {
    const TextWidth dotless = [](std::string_view s) {
        return static_cast<int>(std::count_if(s.begin(), s.end(), [](char c) { return c != '.'; }));
    };
    const struct {
        const char* path;
        int width;
        const char* shown;
    } cases[] = {
        {"/.a/x", 3, "/.../x"},       {"/.a/x", 1, "x"},
        {"/.a/b/x", 5, "/.../b/x"},   {"/.a/b/x", 3, "/.../x"},
        {"/.config/app/x", 7, "/.../app/x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MinimizeName(c.path, dotless, c.width), c.shown) << c.path << " " << c.width;
}
