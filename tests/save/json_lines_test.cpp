#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "save/json_lines.h"
#include "support/child_process.h"
#include "support/local_clock.h"

namespace {

using Numbers = std::vector<std::optional<std::int64_t>>;

std::string Line(const std::vector<ColumnSpec>& columns, std::vector<std::string_view> cells,
                 Numbers numbers) {
    std::string out;
    JsonLineFormat(columns).Append(out, cells, numbers);
    return out;
}

const std::vector<ColumnSpec> kPathOnly = {{"Datei", ColumnKind::Path}};

} // namespace

// Each zone in a child of its own: the rules are given inline, so no zone files are needed.
TEST(IsoLocalTime, OffsetInForceAtThatMomentInEveryZone) {
    struct Case {
        const char* zone;
        std::time_t t;
        std::string text;
    };
    const std::string berlin = "CET-1CEST,M3.5.0,M10.5.0/3";
    const Case cases[] = {
        {berlin.c_str(), UtcClock(2026, 12, 9, 13, 58, 6), "2026-12-09T14:58:06+01:00"},
        {berlin.c_str(), UtcClock(2026, 7, 1, 10, 0, 0), "2026-07-01T12:00:00+02:00"},
        {berlin.c_str(), UtcClock(2026, 3, 29, 0, 59, 59), "2026-03-29T01:59:59+01:00"},
        {berlin.c_str(), UtcClock(2026, 3, 29, 1, 0, 0), "2026-03-29T03:00:00+02:00"},
        {berlin.c_str(), UtcClock(2026, 10, 25, 0, 30, 0), "2026-10-25T02:30:00+02:00"},
        {berlin.c_str(), UtcClock(2026, 10, 25, 1, 30, 0), "2026-10-25T02:30:00+01:00"},
        {"EST5EDT,M3.2.0,M11.1.0", UtcClock(2026, 12, 9, 13, 58, 6), "2026-12-09T08:58:06-05:00"},
        {"IST-5:30", UtcClock(2026, 12, 9, 13, 58, 6), "2026-12-09T19:28:06+05:30"},
        {"UTC0", UtcClock(1970, 1, 1, 0, 0, 0), "1970-01-01T00:00:00+00:00"},
        {"<-0930>9:30", UtcClock(2026, 1, 1, 0, 0, 0), "2025-12-31T14:30:00-09:30"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RunInChild([&] {
                      ::setenv("TZ", c.zone, 1);
                      ::tzset();
                      return IsoLocalTime(c.t);
                  }),
                  c.text)
            << c.zone;
}

TEST(JsonLines, PathsAreValidJsonWithTheRawBytesBesideABadOne) {
    const std::pair<std::string, std::string> cases[] = {
        {"/home/u/a.txt", R"({"path":"/home/u/a.txt"})"},
        {"/ä/€/😀", R"({"path":"/ä/€/😀"})"},
        {"/q\"b\\s\n\t\x01", R"({"path":"/q\"b\\s\n\t\u0001"})"},
        // Cut short, a stray continuation byte, an overlong form, a surrogate, beyond U+10FFFF.
        {"a\xff"
         "b\xc3",
         R"({"path":"a�b�","path_bytes":"Yf9iww=="})"},
        {"\x80", R"({"path":"�","path_bytes":"gA=="})"},
        {"\xc0\xaf", R"({"path":"��","path_bytes":"wK8="})"},
        {"\xed\xa0\x80", R"({"path":"���","path_bytes":"7aCA"})"},
        {"\xf4\x90\x80\x80", R"({"path":"����","path_bytes":"9JCAgA=="})"},
    };
    for (const auto& [path, json] : cases)
        EXPECT_EQ(Line(kPathOnly, {path}, {std::nullopt}), json + "\n") << json;
}

TEST(JsonLines, NumbersBehindTheCellsAndKeysInColumnOrder) {
    const std::vector<ColumnSpec> columns = {{"Datei", ColumnKind::Path},
                                             {"Größe (MB)", ColumnKind::Size},
                                             {"Typ", ColumnKind::Type},
                                             {"geändert", ColumnKind::Modified},
                                             {"erstellt", ColumnKind::Created},
                                             {"letzter Zugriff", ColumnKind::LastAccess},
                                             {"Attribute", ColumnKind::Attributes},
                                             {"kurzer Name", ColumnKind::ShortName}};
    const std::time_t t = UtcClock(2026, 12, 9, 13, 58, 6);
    const std::string when = IsoLocalTime(t);
    ASSERT_EQ(when.size(), 25u);
    // Beyond 4 GiB, in megabytes on screen; no birth time recorded.
    EXPECT_EQ(Line(columns,
                   {"/big.iso", "5.120,000000 MB", "Datenträgerabbild", "x", "", "y", "R", ""},
                   {std::nullopt, 5368709120, std::nullopt, t, std::nullopt, t + 1, std::nullopt,
                    std::nullopt}),
              R"({"path":"/big.iso","size":5368709120,"type":"Datenträgerabbild","modified":")" +
                  when + R"(","access":")" + IsoLocalTime(t + 1) +
                  R"(","attributes":"R","shortname":""})"
                  "\n");

    const std::vector<ColumnSpec> structure = {{"Ordner", ColumnKind::Path},
                                               {"Dateien", ColumnKind::FileCount},
                                               {"Unterordner", ColumnKind::SubfolderCount},
                                               {"Größe (Byte)", ColumnKind::Size}};
    EXPECT_EQ(Line(structure, {"/", "3", "0", "0 Byte"}, {std::nullopt, 3, 0, 0}),
              R"({"path":"/","files":3,"subfolders":0,"size":0})"
              "\n");
}
