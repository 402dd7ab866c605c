#pragma once
#include <cstdint>
#include <string>

#include "platform/locale.h"

// The size cells of one search in one unit, as SizeText and StructureSizeText render them
// (rounded half away from zero), without printf or a locale look-up per cell.
class SizeTexts {
  public:
    explicit SizeTexts(int unit, const LocaleFormats& formats = CurrentLocale());

    // The number of a plain row, right-aligned by leading blanks in units 1 and 2.
    void AssignPlain(std::string& out, std::int64_t bytes) const;
    // The number of a structure row: no blanks, "0" for nothing.
    void AssignStructure(std::string& out, std::int64_t bytes) const;

  private:
    // The value in the unit times 10^decimals, rounded half away from zero.
    std::uint64_t Scaled(std::int64_t bytes) const;
    void Assign(std::string& out, std::uint64_t scaled, bool padded) const;
    void AppendGrouped(std::string& out, std::uint64_t value) const;

    int unit_;
    std::string thousands_, decimal_;
};
