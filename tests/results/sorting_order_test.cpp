#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "results/sorting.h"
#include "support/table_builder.h"

// The name sort ranks path segments once; its order must be the pairwise comparison's.
TEST(NameSortOrder, SameOrderAsComparingEveryPairOfPaths) {
    const std::vector<std::string> segments = {"a",     "A",     "b",     "Zeta",  "zeta",
                                               "äpfel", "Apfel", "x.txt", "X.TXT", "10",
                                               "9",     "",      "a b",   "ab"};
    std::mt19937 random(7);
    std::vector<std::string> paths;
    for (int i = 0; i < 600; ++i) {
        std::string p = i % 5 == 0 ? "" : "/";
        const int depth = static_cast<int>(random() % 4);
        for (int d = 0; d <= depth; ++d) {
            if (d > 0)
                p += "/";
            p += segments[random() % segments.size()];
        }
        paths.push_back(p);
    }
    ResultTable table = MakeTable({"Datei"}, {});
    for (const std::string& p : paths)
        table.rows.push_back(ResultRow::Of(std::vector<std::string_view>{p}.data(), 1));

    for (const int direction : {1, -1}) {
        std::vector<std::string> expected = paths;
        std::stable_sort(expected.begin(), expected.end(),
                         [&](const std::string& a, const std::string& b) {
                             return CompareTextIgnoreCase(a, b) * direction < 0;
                         });
        ResultTable sorted = table;
        SortRows(sorted, SortOrder{0, SortKind::Name, direction}, "Byte");
        std::vector<std::string> got;
        for (const ResultRow& row : sorted.rows)
            got.emplace_back(row.Cell(0));
        EXPECT_EQ(got, expected) << "direction " << direction;
    }
}
