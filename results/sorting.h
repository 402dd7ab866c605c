#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "results/result_table.h"

// Replaces each character of s found in fromChars by the character at the same position of
// toChars, or drops it when toChars is shorter. Characters are UTF-8 sequences.
std::string ChrTran(std::string_view s, std::string_view fromChars, std::string_view toChars);

// A decimal number with the locale's decimal separator (no thousands separators), or def.
long double StrToFloatDef(std::string_view s, long double def);
long double StrToFloatDef(std::string_view s, long double def, std::string_view decimalSeparator);

// Case-insensitive comparison under the locale's collation: -1, 0 or +1. Paths are compared
// folder by folder, so a folder's content stays together.
int CompareTextIgnoreCase(std::string_view a, std::string_view b);

// The number a size cell stands for: thousands separators and the unit word's letters removed;
// 0 when the rest is not a number.
long double SizeCellNumber(std::string_view cell, std::string_view unitWord);

// The point in time a date cell ("date time" in the locale's formats) stands for, as a
// comparable number; kNoDate when the cell does not convert.
constexpr long long kNoDate = -1;
long long DateCellKey(std::string_view cell);

enum class SortKind { Name, Text, Number, Date };

struct SortOrder {
    std::size_t column = 0; // 0 is the caption (path); k reads cell k
    SortKind kind = SortKind::Name;
    int direction = 1; // +1 ascending, -1 descending
};

// Reorders the rows by one column. Each cell's key is read once per sort; rows with equal keys
// keep their order. A date cell that does not convert counts as older than every date.
// unitWord is the current size unit's word, whose letters the number comparison removes.
void SortRows(ResultTable& table, const SortOrder& order, std::string_view unitWord);
