#include "search/formatting.h"

#include "platform/locale.h"


std::string GroupThousands(std::string s) {
    const LocaleFormats& loc = CurrentLocale();
    const std::string& t = loc.thousandsSeparator;
    if (t.empty()) return s;
    const auto decimal = s.find(loc.decimalSeparator);
    const std::size_t p = decimal == std::string::npos ? 0 : decimal + 1; // 1-based
    if (p > 4)
        s.insert(p - 4, t);
    else if (p == 0 && s.size() > 3)
        s.insert(s.size() - 3, t);
    else
        return s;
    for (;;) {
        const std::size_t q = s.find(t) + 1; // 1-based position of the first separator
        if (q <= 4) break;
        s.insert(q - 4, t);
    }
    return s;
}

namespace {
// The decimal digits of a non-negative number.
std::string Digits(unsigned __int128 n) {
    std::string s;
    do {
        s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(n % 10)));
        n /= 10;
    } while (n != 0);
    return s;
}

unsigned __int128 Magnitude(std::int64_t v) {
    return v < 0 ? static_cast<unsigned __int128>(-(v + 1)) + 1 : static_cast<unsigned __int128>(v);
}
} // namespace

std::string FormatQuotientN(std::int64_t numerator, std::int64_t divisor, int width, int decimals) {
    // Exact in integers: a binary double would round the tie 0.0625 to even, giving 0,062.
    unsigned __int128 scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const unsigned __int128 num = Magnitude(numerator) * scale, div = Magnitude(divisor);
    unsigned __int128 scaled = num / div;
    if (2 * (num % div) >= div) ++scaled;
    const bool negative = (numerator < 0) != (divisor < 0) && scaled != 0;
    std::string text = (negative ? "-" : "") + GroupThousands(Digits(scaled / scale));
    if (decimals > 0) {
        const std::string fraction = Digits(scaled % scale);
        text += CurrentLocale().decimalSeparator + std::string(decimals - fraction.size(), '0') + fraction;
    }
    // Width counts characters, so a multi-byte separator must not shorten the padding.
    std::size_t chars = 0;
    for (unsigned char c : text) chars += (c & 0xC0) != 0x80;
    if (chars < static_cast<std::size_t>(width)) text.insert(0, width - chars, ' ');
    return text;
}

std::string SizeText(std::int64_t bytes, int unit) {
    switch (unit) {
    case UnitKilobyte: return FormatQuotientN(bytes, 1024, 12, 3);
    case UnitMegabyte: return FormatQuotientN(bytes, 1048576, 9, 6);
    default: return GroupThousands(std::to_string(bytes));
    }
}

std::string StructureSizeText(std::int64_t bytes, int unit) {
    std::string text = SizeText(bytes, unit);
    const auto first = text.find_first_not_of(' ');
    text = first == std::string::npos ? std::string() : text.substr(first);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    const std::string& d = CurrentLocale().decimalSeparator;
    if ((unit == UnitKilobyte && text == "0" + d + "000") ||
        (unit == UnitMegabyte && text == "0" + d + "000000"))
        return "0";
    return text;
}

std::string DateText(std::time_t time, bool withWeekday) {
    static constexpr const char* kWeekdays[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    const LocaleFormats& loc = CurrentLocale();
    const LocalTime t = ToLocalTime(time);
    const std::string date = FormatLocalTime(t, loc.shortDateFormat);
    const std::string clock = FormatLocalTime(t, loc.longTimeFormat);
    if (!withWeekday) return date + " " + clock;
    return std::string(kWeekdays[t.weekday]) + ", " + date + ", " + clock;
}

std::string AttributeText(unsigned a, bool withCompressed) {
    std::string s;
    if (a & 0x01) s += 'R';
    if (a & 0x04) s += 'S';
    if (a & 0x02) s += 'H';
    if (a & 0x20) s += 'A';
    if (a & 0x10) s += 'D';
    if (a & 0x08) s += 'V';
    if (withCompressed && (a & 0x800)) s += 'C';
    return s;
}
