#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "search/formatting.h"
#include "search/size_texts.h"

namespace {

LocaleFormats Separators(std::string thousands, std::string decimal) {
    LocaleFormats f;
    f.thousandsSeparator = std::move(thousands);
    f.decimalSeparator = std::move(decimal);
    return f;
}

struct SizeCase {
    std::int64_t bytes;
    int unit;
    const char* plain;
    const char* structure;
};

} // namespace

TEST(SizeTexts, GermanSeparatorsAndRoundingHalfAwayFromZero) {
    const SizeCase cases[] = {
        {0, UnitByte, "0", "0"},
        {999, UnitByte, "999", "999"},
        {1000, UnitByte, "1.000", "1.000"},
        {1234567, UnitByte, "1.234.567", "1.234.567"},
        {5368709120LL, UnitByte, "5.368.709.120", "5.368.709.120"},
        {INT64_MAX, UnitByte, "9.223.372.036.854.775.807", "9.223.372.036.854.775.807"},
        {0, UnitKilobyte, "       0,000", "0"},
        {1, UnitKilobyte, "       0,001", "0,001"}, // 0.000977 rounds up
        {1024, UnitKilobyte, "       1,000", "1,000"},
        {64, UnitKilobyte, "       0,063", "0,063"},     // 0.0625: half away from zero
        {15680, UnitKilobyte, "      15,313", "15,313"}, // 15.3125
        {1234567, UnitKilobyte, "   1.205,632", "1.205,632"},
        {1023999999, UnitKilobyte, " 999.999,999", "999.999,999"},
        {1073741824000LL, UnitKilobyte, "1.048.576.000,000", "1.048.576.000,000"}, // wider
        {0, UnitMegabyte, " 0,000000", "0"},
        {1, UnitMegabyte, " 0,000001", "0,000001"},    // 0.00000095 rounds up
        {8192, UnitMegabyte, " 0,007813", "0,007813"}, // 0.0078125: half away from zero
        {1024, UnitMegabyte, " 0,000977", "0,000977"},
        {1234567, UnitMegabyte, " 1,177375", "1,177375"},
        {5368709120LL, UnitMegabyte, "5.120,000000", "5.120,000000"},
        {1000, 7, "1.000", "1.000"}, // an unknown unit counts in bytes
    };
    std::string out = "left over";
    for (const SizeCase& c : cases) {
        const SizeTexts t(c.unit, Separators(".", ","));
        t.AssignPlain(out, c.bytes);
        EXPECT_EQ(out, c.plain) << c.bytes << " in unit " << c.unit;
        t.AssignStructure(out, c.bytes);
        EXPECT_EQ(out, c.structure) << c.bytes << " in unit " << c.unit;
    }
}

// Padding counts characters, so a separator of several bytes does not shorten it; no
// separator leaves the digits ungrouped.
TEST(SizeTexts, OtherSeparators) {
    std::string out;
    SizeTexts(UnitKilobyte, Separators("\u202f", ",")).AssignPlain(out, 1234567);
    EXPECT_EQ(out, "   1\u202f205,632");
    SizeTexts(UnitByte, Separators("", ".")).AssignPlain(out, 1234567);
    EXPECT_EQ(out, "1234567");
    SizeTexts(UnitMegabyte, Separators(",", ".")).AssignStructure(out, 5368709120LL);
    EXPECT_EQ(out, "5,120.000000");
}

// Away from exact halves both roundings agree, so the texts are SizeText's in any locale.
TEST(SizeTextsAnyLocale, SameAsSizeTextAwayFromHalves) {
    std::mt19937_64 random(17);
    for (const int unit : {UnitByte, UnitKilobyte, UnitMegabyte}) {
        const SizeTexts texts(unit);
        std::string out;
        for (int i = 0; i < 20000; ++i) {
            // Below 2^50, where SizeText's double still holds every byte.
            const auto bytes = static_cast<std::int64_t>(random() >> (i % 50 + 14));
            const bool half = (unit == UnitKilobyte && bytes % 128 * 125 % 128 == 64) ||
                              (unit == UnitMegabyte && bytes % 16384 * 15625 % 16384 == 8192);
            if (half)
                continue;
            texts.AssignPlain(out, bytes);
            ASSERT_EQ(out, SizeText(bytes, unit)) << bytes << " in unit " << unit;
            texts.AssignStructure(out, bytes);
            ASSERT_EQ(out, StructureSizeText(bytes, unit)) << bytes << " in unit " << unit;
        }
    }
}
