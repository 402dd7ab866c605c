#include "results/sorting.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <ctime>
#include <numeric>
#include <unordered_map>
#include <vector>

#include "platform/locale.h"

namespace {

// Upper-cases into a reused buffer; plain ASCII needs no locale conversion.
void UpperCaseInto(std::string_view text, std::string& out) {
    out.clear();
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
        out = UpperCase(text);
        return;
    }
    for (const char c : text)
        out.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c);
}

// Length of the UTF-8 sequence starting at i; a stray byte counts as one character.
std::size_t CharLength(std::string_view s, std::size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    if (lead < 0xC0)
        return 1;
    const std::size_t expected = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    std::size_t n = 1;
    while (n < expected && i + n < s.size() &&
           (static_cast<unsigned char>(s[i + n]) & 0xC0) == 0x80)
        ++n;
    return n;
}

std::vector<std::string_view> Characters(std::string_view s) {
    std::vector<std::string_view> out;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = CharLength(s, i);
        out.push_back(s.substr(i, n));
        i += n;
    }
    return out;
}

std::size_t SkipBlanks(std::string_view s, std::size_t i) {
    while (i < s.size() && s[i] == ' ')
        ++i;
    return i;
}

std::size_t Digits(std::string_view s, std::size_t i, std::string& out) {
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        out.push_back(s[i++]);
    return i;
}

// --- Text: the primary key is the collation's first level of the upper-cased text, folder by
// folder; texts equal there are compared by the full collation.

class TextKeyBuilder {
  public:
    void Append(std::string_view text, std::string& arena) {
        UpperCaseInto(text, folded_);
        const std::size_t slash = folded_.rfind('/');
        if (slash == std::string::npos) {
            arena.append(
                Cached(folded_, names_, [&](std::string& key) { AppendPrimary(folded_, key); }));
            return;
        }
        // Rows of one folder share its key, made once.
        const std::string_view folder = std::string_view(folded_).substr(0, slash);
        arena.append(Cached(folder, folders_, [&](std::string& key) {
            for (std::size_t start = 0;;) {
                const std::size_t end = std::min(folder.find('/', start), folder.size());
                AppendPrimary(folder.substr(start, end - start), key);
                if (end == folder.size())
                    break;
                start = end + 1;
            }
        }));
        AppendPrimary(std::string_view(folded_).substr(slash + 1), arena);
    }

  private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    using Cache = std::unordered_map<std::string, std::string, Hash, std::equal_to<>>;
    static constexpr std::size_t kCacheLimit = 1 << 18;

    template <typename Make>
    std::string_view Cached(std::string_view text, Cache& cache, Make make) {
        if (const auto hit = cache.find(text); hit != cache.end())
            return hit->second;
        key_.clear();
        make(key_);
        if (cache.size() >= kCacheLimit)
            return key_;
        return cache.emplace(std::string(text), key_).first->second;
    }

    // The collation's first level of one folder or file name, ended by \1.
    void AppendPrimary(std::string_view segment, std::string& out) {
        segment_.assign(segment);
        std::size_t n = std::strxfrm(buffer_.data(), segment_.c_str(), buffer_.size());
        if (n >= buffer_.size()) {
            buffer_.resize(n + 1);
            n = std::strxfrm(buffer_.data(), segment_.c_str(), buffer_.size());
        }
        // Levels are separated by \1; the first ignores letter case and accents.
        const char* level = static_cast<const char*>(std::memchr(buffer_.data(), '\1', n));
        out.append(buffer_.data(), level ? static_cast<std::size_t>(level - buffer_.data()) : n);
        out.push_back('\1');
    }

    Cache folders_, names_;
    std::string folded_, segment_, key_;
    std::vector<char> buffer_ = std::vector<char>(256);
};

int Sign(int v) {
    return (v > 0) - (v < 0);
}

int CompareFullCollation(std::string_view a, std::string_view b) {
    if (a == b)
        return 0;
    const std::string fa = UpperCase(a), fb = UpperCase(b);
    std::size_t ia = 0, ib = 0;
    while (true) {
        const std::size_t ea = std::min(fa.find('/', ia), fa.size());
        const std::size_t eb = std::min(fb.find('/', ib), fb.size());
        const int c = std::strcoll(fa.substr(ia, ea - ia).c_str(), fb.substr(ib, eb - ib).c_str());
        if (c != 0)
            return Sign(c);
        const bool moreA = ea < fa.size(), moreB = eb < fb.size();
        if (moreA != moreB)
            return moreA ? 1 : -1;
        if (!moreA)
            return 0;
        ia = ea + 1;
        ib = eb + 1;
    }
}

// The key of a text is the sequence of its '/'-separated segments' primary keys. Each distinct
// segment is given its rank among all segments once, so comparing two rows compares a few
// integers instead of long byte strings with long common prefixes. Primary keys hold no byte
// below 2, so ordering the segments' keys and then the rank sequences gives the order of the
// joined keys.
class TextKeys {
  public:
    TextKeys(const std::vector<ResultRow>& rows, std::size_t column) {
        cells_.reserve(rows.size());
        rows_.reserve(rows.size());
        segmentIds_.reserve(rows.size());
        folderIndex_.reserve(rows.size() / 8);
        for (const ResultRow& row : rows) {
            cells_.push_back(row.Cell(column));
            UpperCaseInto(cells_.back(), folded_);
            const std::size_t slash = folded_.rfind('/');
            const std::string_view text(folded_);
            if (slash == std::string::npos)
                rows_.push_back({0, SegmentId(text)});
            else
                rows_.push_back({FolderOf(text.substr(0, slash)), SegmentId(text.substr(slash + 1))});
        }
        RankSegments();
    }

    int Compare(std::size_t i, std::size_t j) const {
        const Row& a = rows_[i];
        const Row& b = rows_[j];
        int c;
        if (a.folder == b.folder)
            c = (a.name > b.name) - (a.name < b.name);
        else
            c = CompareSequences(a, b);
        return c != 0 ? c : CompareFullCollation(cells_[i], cells_[j]);
    }

  private:
    struct Folder {
        std::uint32_t first, count; // its segments in folderSegments_
    };
    struct Row {
        std::uint32_t folder; // index into folderList_
        std::uint32_t name;   // segment id, a rank after RankSegments
    };
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };

    // The folder part of a text, made of its segments; 0 stands for a text without a '/'.
    std::uint32_t FolderOf(std::string_view folder) {
        // Rows of one folder mostly come together.
        if (lastFolderIndex_ != 0 && folder == lastFolder_)
            return lastFolderIndex_;
        lastFolder_.assign(folder);
        lastFolderIndex_ = FindOrAddFolder(folder);
        return lastFolderIndex_;
    }

    std::uint32_t FindOrAddFolder(std::string_view folder) {
        if (const auto hit = folderIndex_.find(folder); hit != folderIndex_.end())
            return hit->second;
        Folder added{static_cast<std::uint32_t>(folderSegments_.size()), 0};
        for (std::size_t start = 0;;) {
            const std::size_t end = std::min(folder.find('/', start), folder.size());
            folderSegments_.push_back(SegmentId(folder.substr(start, end - start)));
            ++added.count;
            if (end == folder.size())
                break;
            start = end + 1;
        }
        const auto index = static_cast<std::uint32_t>(folderList_.size());
        folderList_.push_back(added);
        folderIndex_.emplace(std::string(folder), index);
        return index;
    }

    std::uint32_t SegmentId(std::string_view segment) {
        if (const auto hit = segmentIds_.find(segment); hit != segmentIds_.end())
            return hit->second;
        const auto id = static_cast<std::uint32_t>(primaries_.size());
        primaries_.emplace_back();
        AppendPrimary(segment, primaries_.back());
        segmentIds_.emplace(std::string(segment), id);
        return id;
    }

    void AppendPrimary(std::string_view segment, std::string& out) {
        segment_.assign(segment);
        std::size_t n = std::strxfrm(buffer_.data(), segment_.c_str(), buffer_.size());
        if (n >= buffer_.size()) {
            buffer_.resize(n + 1);
            n = std::strxfrm(buffer_.data(), segment_.c_str(), buffer_.size());
        }
        // Levels are separated by \1; the first ignores letter case and accents.
        const char* level = static_cast<const char*>(std::memchr(buffer_.data(), '\1', n));
        out.assign(buffer_.data(), level ? static_cast<std::size_t>(level - buffer_.data()) : n);
    }

    // Segments with equal primary keys share a rank.
    void RankSegments() {
        // Ordered by the keys' first sixteen bytes as two numbers, the rest only where those tie.
        struct Entry {
            std::uint64_t high, low;
            std::uint32_t id;
        };
        const auto bytes = [](const std::string& key, std::size_t from) {
            std::uint64_t v = 0;
            for (std::size_t b = from; b < from + 8; ++b)
                v = (v << 8) | (b < key.size() ? static_cast<unsigned char>(key[b]) : 0u);
            return v;
        };
        std::vector<Entry> order(primaries_.size());
        for (std::uint32_t id = 0; id < primaries_.size(); ++id)
            order[id] = {bytes(primaries_[id], 0), bytes(primaries_[id], 8), id};
        const auto less = [&](const Entry& a, const Entry& b) {
            if (a.high != b.high)
                return a.high < b.high;
            if (a.low != b.low)
                return a.low < b.low;
            return primaries_[a.id] < primaries_[b.id];
        };
        std::sort(order.begin(), order.end(), less);
        std::vector<std::uint32_t> rank(primaries_.size());
        std::uint32_t r = 0;
        for (std::size_t k = 0; k < order.size(); ++k) {
            if (k > 0 && less(order[k - 1], order[k]))
                ++r;
            rank[order[k].id] = r;
        }
        for (std::uint32_t& id : folderSegments_)
            id = rank[id];
        for (Row& row : rows_)
            row.name = rank[row.name];
        primaries_.clear();
        primaries_.shrink_to_fit();
        segmentIds_.clear();
        folderIndex_.clear();
    }

    int CompareSequences(const Row& a, const Row& b) const {
        const Folder fa = folderList_[a.folder], fb = folderList_[b.folder];
        const std::size_t na = fa.count + 1, nb = fb.count + 1;
        const auto at = [&](const Folder& f, const Row& row, std::size_t k) {
            return k < f.count ? folderSegments_[f.first + k] : row.name;
        };
        for (std::size_t k = 0; k < std::min(na, nb); ++k) {
            const std::uint32_t x = at(fa, a, k), y = at(fb, b, k);
            if (x != y)
                return x < y ? -1 : 1;
        }
        return (na > nb) - (na < nb);
    }

    std::vector<std::string_view> cells_; // into the rows, which stay in place while sorting
    std::vector<Row> rows_;
    std::vector<Folder> folderList_{Folder{0, 0}};
    std::vector<std::uint32_t> folderSegments_;
    std::unordered_map<std::string, std::uint32_t, Hash, std::equal_to<>> folderIndex_, segmentIds_;
    std::vector<std::string> primaries_;
    std::string folded_, segment_, lastFolder_;
    std::uint32_t lastFolderIndex_ = 0;
    std::vector<char> buffer_ = std::vector<char>(256);
};

// --- Dates

std::string ExpandDateFormat(std::string_view format) {
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            out.push_back(format[i]);
            continue;
        }
        switch (const char c = format[++i]) {
        case 'T':
            out += "%H:%M:%S";
            break;
        case 'R':
            out += "%H:%M";
            break;
        case 'D':
            out += "%m/%d/%y";
            break;
        case 'F':
            out += "%Y-%m-%d";
            break;
        default:
            out.push_back('%');
            out.push_back(c);
        }
    }
    return out;
}

bool OnlyNumericFields(std::string_view format) {
    for (std::size_t i = 0; i + 1 < format.size(); ++i)
        if (format[i] == '%' &&
            std::string_view("deYymHMS%").find(format[++i]) == std::string::npos)
            return false;
    return true;
}

struct DateFields {
    int year = -1, month = -1, day = -1, hour = 0, minute = 0, second = 0;
};

long long KeyOf(const DateFields& f) {
    if (f.year < 0 || f.month < 1 || f.month > 12 || f.day < 1 || f.day > 31 || f.hour < 0 ||
        f.hour > 23 || f.minute < 0 || f.minute > 59 || f.second < 0 || f.second > 60)
        return kNoDate;
    return ((((f.year * 100LL + f.month) * 100 + f.day) * 100 + f.hour) * 100 + f.minute) * 100 +
           f.second;
}

bool ReadField(std::string_view s, std::size_t& i, char conversion, DateFields& f) {
    if (conversion == 'e')
        i = SkipBlanks(s, i);
    const std::size_t maxDigits = conversion == 'Y' ? 4 : 2;
    int value = 0;
    std::size_t n = 0;
    while (n < maxDigits && i < s.size() && s[i] >= '0' && s[i] <= '9') {
        value = value * 10 + (s[i++] - '0');
        ++n;
    }
    if (n == 0)
        return false;
    switch (conversion) {
    case 'd':
    case 'e':
        f.day = value;
        break;
    case 'm':
        f.month = value;
        break;
    case 'Y':
        f.year = value;
        break;
    case 'y':
        f.year = value < 69 ? 2000 + value : 1900 + value;
        break;
    case 'H':
        f.hour = value;
        break;
    case 'M':
        f.minute = value;
        break;
    case 'S':
        f.second = value;
        break;
    }
    return true;
}

long long ParseNumericDate(std::string_view s, std::string_view format) {
    DateFields f;
    std::size_t i = 0;
    for (std::size_t j = 0; j < format.size(); ++j) {
        if (format[j] == '%' && j + 1 < format.size() && format[j + 1] != '%') {
            if (!ReadField(s, i, format[++j], f))
                return kNoDate;
        } else if (format[j] == ' ') {
            if (i >= s.size() || s[i] != ' ')
                return kNoDate;
            i = SkipBlanks(s, i);
        } else {
            if (format[j] == '%')
                ++j; // %%
            if (i >= s.size() || s[i] != format[j])
                return kNoDate;
            ++i;
        }
    }
    return SkipBlanks(s, i) == s.size() ? KeyOf(f) : kNoDate;
}

long long ParseDateWithLibrary(std::string_view s, const std::string& format) {
    const std::string text(s);
    std::tm tm{};
    tm.tm_year = -1901; // marks a format without a year
    const char* end = strptime(text.c_str(), format.c_str(), &tm);
    if (!end || SkipBlanks(text, static_cast<std::size_t>(end - text.c_str())) != text.size())
        return kNoDate;
    return KeyOf({tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec});
}

class DateParser {
  public:
    DateParser()
        : format_(ExpandDateFormat(CurrentLocale().shortDateFormat + " " +
                                   CurrentLocale().longTimeFormat)),
          numeric_(OnlyNumericFields(format_)) {}
    long long Key(std::string_view cell) const {
        return numeric_ ? ParseNumericDate(cell, format_) : ParseDateWithLibrary(cell, format_);
    }

  private:
    std::string format_;
    bool numeric_;
};

std::string RemovedFromSizes(std::string_view unitWord) {
    return CurrentLocale().thousandsSeparator + std::string(unitWord);
}

// ChrTran with an empty replacement and then StrToFloatDef, with the removed characters worked
// out once and one buffer for every cell.
class SizeKeyReader {
  public:
    explicit SizeKeyReader(std::string_view unitWord)
        : removedText_(RemovedFromSizes(unitWord)), removed_(Characters(removedText_)),
          decimal_(CurrentLocale().decimalSeparator) {}

    long double Key(std::string_view cell) {
        cleaned_.clear();
        for (std::size_t i = 0; i < cell.size();) {
            const std::string_view c = cell.substr(i, CharLength(cell, i));
            i += c.size();
            if (std::find(removed_.begin(), removed_.end(), c) == removed_.end())
                cleaned_.append(c);
        }
        return StrToFloatDef(cleaned_, 0, decimal_);
    }

  private:
    std::string removedText_;
    std::vector<std::string_view> removed_;
    std::string decimal_, cleaned_;
};

template <typename Key>
void SortByKeys(std::vector<std::size_t>& order, const std::vector<Key>& keys, int direction) {
    if (direction >= 0)
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    else
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return keys[b] < keys[a]; });
}

} // namespace

std::string ChrTran(std::string_view s, std::string_view fromChars, std::string_view toChars) {
    const std::vector<std::string_view> from = Characters(fromChars), to = Characters(toChars);
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const std::string_view c = s.substr(i, CharLength(s, i));
        i += c.size();
        const auto hit = std::find(from.begin(), from.end(), c);
        if (hit == from.end()) {
            out.append(c);
            continue;
        }
        const auto p = static_cast<std::size_t>(hit - from.begin());
        if (p < to.size())
            out.append(to[p]);
    }
    return out;
}

long double StrToFloatDef(std::string_view s, long double def, std::string_view decimalSeparator) {
    std::string number; // rebuilt in the C form for from_chars
    std::size_t i = SkipBlanks(s, 0);
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            number.push_back('-');
        ++i;
    }
    const std::size_t before = number.size();
    i = Digits(s, i, number);
    std::size_t digits = number.size() - before;
    if (!decimalSeparator.empty() && s.substr(i, decimalSeparator.size()) == decimalSeparator) {
        number.push_back('.');
        const std::size_t mark = number.size();
        i = Digits(s, i + decimalSeparator.size(), number);
        digits += number.size() - mark;
    }
    if (digits == 0)
        return def;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        number.push_back('e');
        if (++i < s.size() && (s[i] == '+' || s[i] == '-'))
            number.push_back(s[i++]);
        const std::size_t mark = number.size();
        i = Digits(s, i, number);
        if (number.size() == mark)
            return def;
    }
    if (SkipBlanks(s, i) != s.size())
        return def;
    long double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    return error == std::errc() && end == number.data() + number.size() ? value : def;
}

long double StrToFloatDef(std::string_view s, long double def) {
    return StrToFloatDef(s, def, CurrentLocale().decimalSeparator);
}

int CompareTextIgnoreCase(std::string_view a, std::string_view b) {
    std::string ka, kb;
    TextKeyBuilder builder;
    builder.Append(a, ka);
    builder.Append(b, kb);
    const int c = ka.compare(kb);
    return c != 0 ? Sign(c) : CompareFullCollation(a, b);
}

long double SizeCellNumber(std::string_view cell, std::string_view unitWord) {
    return StrToFloatDef(ChrTran(cell, RemovedFromSizes(unitWord), ""), 0);
}

long long DateCellKey(std::string_view cell) {
    return DateParser().Key(cell);
}

void SortRows(ResultTable& table, const SortOrder& sort, std::string_view unitWord) {
    std::vector<ResultRow>& rows = table.rows;
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    switch (sort.kind) {
    case SortKind::Name:
    case SortKind::Text: {
        const TextKeys keys(rows, sort.column);
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return keys.Compare(a, b) * sort.direction < 0;
        });
        break;
    }
    case SortKind::Number: {
        SizeKeyReader reader(unitWord);
        std::vector<long double> keys;
        keys.reserve(rows.size());
        for (const ResultRow& row : rows)
            keys.push_back(reader.Key(row.Cell(sort.column)));
        SortByKeys(order, keys, sort.direction);
        break;
    }
    case SortKind::Date: {
        const DateParser parser;
        std::vector<long long> keys;
        keys.reserve(rows.size());
        for (const ResultRow& row : rows)
            keys.push_back(parser.Key(row.Cell(sort.column)));
        SortByKeys(order, keys, sort.direction);
        break;
    }
    }
    std::vector<ResultRow> sorted;
    sorted.reserve(rows.size());
    for (const std::size_t i : order)
        sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
}
