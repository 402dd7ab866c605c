#pragma once
#include <cstdint>
#include <ctime>
#include <string>

// Size units of the size-unit radio group.
enum SizeUnit : int { UnitByte = 0, UnitKilobyte = 1, UnitMegabyte = 2 };

// Inserts the locale's thousands separator into a decimal number text.
std::string GroupThousands(std::string s);
// numerator / divisor as printf-like "%W.Dn": rounded half away from zero to D decimals, as the
// platform's number format does, grouped, right-aligned to W characters.
std::string FormatQuotientN(std::int64_t numerator, std::int64_t divisor, int width, int decimals);
// The number part of a size cell of a plain row (leading blanks kept).
std::string SizeText(std::int64_t bytes, int unit);
// The number part of a size cell of a structure row (no blanks; "0" for nothing).
std::string StructureSizeText(std::int64_t bytes, int unit);
// Local date and time by the locale; with the weekday ("Mi, 24.12.2003, 13:45:12") in
// structure listings.
std::string DateText(std::time_t time, bool withWeekday);

// Attribute letters in the order R S H A D V C, without gaps; structure rows leave out C.
std::string AttributeText(unsigned attributes, bool withCompressed);
