#include "search/size_texts.h"

#include "search/formatting.h"

namespace {

struct UnitScale {
    unsigned numerator, denominator; // value × 10^decimals = bytes × numerator / denominator
    int decimals, width;
};

// 1000/1024 and 1000000/1048576 in lowest terms.
constexpr UnitScale kScales[] = {{1, 1, 0, 0}, {125, 128, 3, 12}, {15625, 16384, 6, 9}};

std::size_t Characters(const std::string& text) {
    std::size_t n = 0;
    for (unsigned char c : text)
        n += (c & 0xC0) != 0x80;
    return n;
}

} // namespace

SizeTexts::SizeTexts(int unit, const LocaleFormats& formats)
    : unit_(unit >= UnitByte && unit <= UnitMegabyte ? unit : UnitByte),
      thousands_(formats.thousandsSeparator), decimal_(formats.decimalSeparator) {}

std::uint64_t SizeTexts::Scaled(std::int64_t bytes) const {
    const UnitScale& s = kScales[unit_];
    return static_cast<std::uint64_t>(
        (static_cast<unsigned __int128>(bytes) * s.numerator + s.denominator / 2) / s.denominator);
}

void SizeTexts::AppendGrouped(std::string& out, std::uint64_t value) const {
    char digits[20];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n > 0) {
        out.push_back(digits[--n]);
        if (n > 0 && n % 3 == 0)
            out += thousands_;
    }
}

void SizeTexts::Assign(std::string& out, std::uint64_t scaled, bool padded) const {
    out.clear();
    const UnitScale& s = kScales[unit_];
    std::uint64_t unit = 1;
    for (int i = 0; i < s.decimals; ++i)
        unit *= 10;
    AppendGrouped(out, scaled / unit);
    if (s.decimals > 0) {
        out += decimal_;
        std::uint64_t fraction = scaled % unit;
        const std::size_t at = out.size();
        out.append(static_cast<std::size_t>(s.decimals), '0');
        for (std::size_t i = out.size(); i > at; fraction /= 10)
            out[--i] = static_cast<char>('0' + fraction % 10);
    }
    if (padded) {
        const std::size_t chars = Characters(out);
        if (chars < static_cast<std::size_t>(s.width))
            out.insert(0, static_cast<std::size_t>(s.width) - chars, ' ');
    }
}

void SizeTexts::AssignPlain(std::string& out, std::int64_t bytes) const {
    if (bytes < 0) {
        out = SizeText(bytes, unit_); // no file or sum is negative; keep the general rule
        return;
    }
    Assign(out, Scaled(bytes), true);
}

void SizeTexts::AssignStructure(std::string& out, std::int64_t bytes) const {
    if (bytes < 0) {
        out = StructureSizeText(bytes, unit_);
        return;
    }
    const std::uint64_t scaled = Scaled(bytes);
    if (scaled == 0)
        out.assign("0");
    else
        Assign(out, scaled, false);
}
