#include "results/sorting.h"

#include <algorithm>
#include <array>
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

// Distinct byte strings, numbered in the order they are first met: open addressing over one
// arena, so a million look-ups are a million probes and no allocation each. Each arena entry
// holds its id, length and bytes together, so a look-up that finds its slot reads one more
// place, which the caller can fetch ahead.
class StringIds {
  public:
    static std::uint64_t Hash(std::string_view text) { return std::hash<std::string_view>{}(text); }

    std::size_t Size() const { return size_; }

    void PrefetchSlot(std::uint64_t hash) const {
        __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
    }
    // The entry the slot of hash leads to, when that slot is already in the cache.
    void PrefetchEntry(std::uint64_t hash) const {
        const Slot& slot = slots_[hash & (slots_.size() - 1)];
        if (slot.at != 0 && slot.hash == hash)
            __builtin_prefetch(arena_.data() + slot.at - 1);
    }

    // The id of text, or kNone.
    static constexpr std::uint32_t kNone = UINT32_MAX;
    std::uint32_t Lookup(std::string_view text, std::uint64_t hash) const {
        for (std::size_t at = hash & (slots_.size() - 1);; at = (at + 1) & (slots_.size() - 1)) {
            const Slot& slot = slots_[at];
            if (slot.at == 0)
                return kNone;
            if (slot.hash == hash && Matches(slot.at - 1, text))
                return Read32(slot.at - 1);
        }
    }
    // The id of text; a new one (and added set) when text was not met before.
    std::uint32_t Find(std::string_view text, std::uint64_t hash, bool& added) {
        std::size_t at = hash & (slots_.size() - 1);
        for (;; at = (at + 1) & (slots_.size() - 1)) {
            const Slot& slot = slots_[at];
            if (slot.at == 0)
                break;
            if (slot.hash == hash && Matches(slot.at - 1, text)) {
                added = false;
                return Read32(slot.at - 1);
            }
        }
        const auto id = static_cast<std::uint32_t>(size_++);
        const auto length = static_cast<std::uint32_t>(text.size());
        slots_[at] = {hash, arena_.size() + 1};
        arena_.append(reinterpret_cast<const char*>(&id), sizeof id);
        arena_.append(reinterpret_cast<const char*>(&length), sizeof length);
        arena_.append(text);
        added = true;
        if (size_ * 2 > slots_.size())
            Grow();
        return id;
    }

  private:
    struct Slot {
        std::uint64_t hash = 0;
        std::uint64_t at = 0; // the entry's arena offset + 1; 0: empty
    };

    std::uint32_t Read32(std::size_t offset) const {
        std::uint32_t v;
        std::memcpy(&v, arena_.data() + offset, sizeof v);
        return v;
    }
    bool Matches(std::size_t entry, std::string_view text) const {
        return Read32(entry + 4) == text.size() &&
               std::memcmp(arena_.data() + entry + 8, text.data(), text.size()) == 0;
    }

    void Grow() {
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        for (const Slot& slot : old) {
            if (slot.at == 0)
                continue;
            std::size_t at = slot.hash & (slots_.size() - 1);
            while (slots_[at].at != 0)
                at = (at + 1) & (slots_.size() - 1);
            slots_[at] = slot;
        }
    }

    std::vector<Slot> slots_ = std::vector<Slot>(1024);
    std::string arena_;
    std::size_t size_ = 0;
};

// The key of a text is the sequence of its '/'-separated segments' primary keys. Each distinct
// segment is given its rank among all segments once, so comparing two rows compares a few
// integers instead of long byte strings with long common prefixes. Primary keys hold no byte
// below 2, so ordering the segments' keys and then the rank sequences gives the order of the
// joined keys.
class TextKeys {
  public:
    TextKeys(const std::vector<ResultRow>& rows, std::size_t column)
        : rowTexts_(rows), column_(column) {
        // Segments and folders are known by their bytes as stored; only a new one is
        // upper-cased and given its collation key. Each row is looked at a few rows ahead, so
        // its table slot and then its entry are fetched while earlier rows are handled.
        constexpr std::size_t kAhead = 16, kEntryAhead = 8, kRing = 32;
        struct Ahead {
            CellSplit split;
            std::uint64_t hash = 0;
            std::string scratch; // a text the row makes rather than holds
        };
        std::array<Ahead, kRing> ring;
        const auto look = [&](std::size_t i) {
            Ahead& a = ring[i % kRing];
            a.split = rows[i].SplitCell(column, a.scratch);
            a.hash = StringIds::Hash(a.split.name);
            segmentIds_.PrefetchSlot(a.hash);
        };
        rows_.resize(rows.size());
        for (std::size_t i = 0; i < std::min(kAhead, rows.size()); ++i)
            look(i);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (i + kAhead < rows.size())
                look(i + kAhead);
            if (i + kEntryAhead < rows.size())
                segmentIds_.PrefetchEntry(ring[(i + kEntryAhead) % kRing].hash);
            const Ahead& a = ring[i % kRing];
            if (a.split.hasFolder)
                rows_[i].folder = FolderOf(a.split);
            rows_[i].name = SegmentId(a.split.name, a.hash);
        }
        RankSegments();
    }

    // The rows in the order of a stable sort by Compare (times the direction). Every distinct
    // folder sequence is a node of a tree; ordering each node's rows (by their name's rank) and
    // subfolders (by theirs; a row before a subfolder of the same rank, being the shorter
    // sequence) and reading the tree depth-first gives that order without comparing sequences.
    std::vector<std::size_t> Order(int direction) const {
        const bool descending = direction < 0;
        std::vector<std::uint32_t> folderNode(folders_.size(), 0);
        std::vector<Item> items;
        items.reserve(rows_.size() + folders_.size());
        std::uint32_t nodes = 1; // node 0: the empty sequence
        std::unordered_map<std::uint64_t, std::uint32_t> edges;
        edges.reserve(folders_.size() * 2);
        // A folder comes after its parent, so the parent's node is known.
        for (std::size_t f = 1; f < folders_.size(); ++f) {
            const std::uint32_t parent = folderNode[folders_[f].parent];
            const std::uint32_t rank = folders_[f].segment;
            const auto [edge, added] =
                edges.try_emplace((std::uint64_t{parent} << 32) | rank, nodes);
            if (added) {
                items.push_back(MakeItem(parent, rank, false, nodes, descending));
                ++nodes;
            }
            folderNode[f] = edge->second;
        }
        for (std::size_t i = 0; i < rows_.size(); ++i)
            items.push_back(MakeItem(folderNode[rows_[i].folder], rows_[i].name, true,
                                     static_cast<std::uint32_t>(i), descending));
        std::vector<std::size_t> first = SortByNode(items, nodes);
        BreakTiesByFullCollation(items, direction);
        return ReadDepthFirst(items, first);
    }

  private:
    // A row or a subfolder under its parent node. place orders by parent, then rank (reversed
    // when descending); tie puts rows before subfolders of the same rank (after, when
    // descending), then rows in their present order.
    struct Item {
        std::uint64_t place, tie;
        std::uint32_t Node() const { return static_cast<std::uint32_t>(place >> 32); }
        bool IsRow() const { return ((tie >> 32) & 1) != 0; }
        std::uint32_t Index() const { return static_cast<std::uint32_t>(tie); } // row or node
        bool operator<(const Item& o) const {
            return place != o.place ? place < o.place : tie < o.tie;
        }
    };

    static Item MakeItem(std::uint32_t node, std::uint32_t rank, bool row, std::uint32_t index,
                         bool descending) {
        const std::uint32_t rankKey = descending ? ~rank : rank;
        const std::uint64_t later = row == descending; // which of the two comes second
        return {(std::uint64_t{node} << 32) | rankKey,
                (later << 33) | (std::uint64_t{row} << 32) | index};
    }

    // Orders the items: grouped by node with one counting pass, then each node's few items
    // sorted. Returns where each node's items begin (and, last, their end).
    static std::vector<std::size_t> SortByNode(std::vector<Item>& items, std::uint32_t nodes) {
        std::vector<std::size_t> first(nodes + 1, 0);
        for (const Item& item : items)
            ++first[item.Node() + 1];
        for (std::uint32_t n = 0; n < nodes; ++n)
            first[n + 1] += first[n];
        std::vector<Item> grouped(items.size());
        std::vector<std::size_t> next(first.begin(), first.end() - 1);
        for (const Item& item : items)
            grouped[next[item.Node()]++] = item;
        for (std::uint32_t n = 0; n < nodes; ++n)
            std::sort(grouped.begin() + static_cast<std::ptrdiff_t>(first[n]),
                      grouped.begin() + static_cast<std::ptrdiff_t>(first[n + 1]));
        items = std::move(grouped);
        return first;
    }

    void BreakTiesByFullCollation(std::vector<Item>& items, int direction) const {
        for (std::size_t k = 0; k < items.size();) {
            std::size_t end = k + 1;
            while (end < items.size() && items[end].place == items[k].place && items[end].IsRow() &&
                   items[k].IsRow())
                ++end;
            if (end - k > 1)
                std::stable_sort(items.begin() + static_cast<std::ptrdiff_t>(k),
                                 items.begin() + static_cast<std::ptrdiff_t>(end),
                                 [&](const Item& a, const Item& b) {
                                     return CompareFullCollation(Text(a.Index()), Text(b.Index())) *
                                                direction <
                                            0;
                                 });
            k = end;
        }
    }

    static std::vector<std::size_t> ReadDepthFirst(const std::vector<Item>& items,
                                                   const std::vector<std::size_t>& first) {
        std::vector<std::size_t> order;
        order.reserve(items.size());
        std::vector<std::size_t> stack{first[0]}; // the next item of each open node
        std::vector<std::uint32_t> open{0};
        while (!stack.empty()) {
            std::size_t& at = stack.back();
            if (at >= first[open.back() + 1]) {
                stack.pop_back();
                open.pop_back();
                continue;
            }
            const Item& item = items[at++];
            if (item.IsRow()) {
                order.push_back(item.Index());
            } else {
                stack.push_back(first[item.Index()]);
                open.push_back(item.Index());
            }
        }
        return order;
    }

    struct Folder {
        std::uint32_t parent;  // index into folders_; 0: no folder above
        std::uint32_t segment; // its last segment's id, a rank after RankSegments
    };
    struct Row {
        std::uint32_t folder = 0; // index into folders_
        std::uint32_t name = 0;   // segment id, a rank after RankSegments
    };

    std::string Text(std::uint32_t row) const { return rowTexts_[row].Cell(column_); }

    // The folder part of a text.
    std::uint32_t FolderOf(const CellSplit& split) {
        // Rows of one folder mostly come together, and rows of a search share their folder.
        if (lastFolderIndex_ != 0 && split.shared && split.shared == lastShared_)
            return lastFolderIndex_;
        if (lastFolderIndex_ == 0 || split.folder != lastFolder_) {
            lastFolder_.assign(split.folder);
            lastFolderIndex_ = FindOrAddFolder(split.folder);
        }
        lastShared_ = split.shared;
        return lastFolderIndex_;
    }

    // A new folder is added after the folders above it, which are added first when new.
    std::uint32_t FindOrAddFolder(std::string_view folder) {
        std::vector<std::string_view> missing; // the folder and the new ones above, nearest first
        std::uint32_t above = 0;               // the nearest known folder above; 0: none
        for (std::string_view path = folder;;) {
            const std::uint32_t id = folderIds_.Lookup(path, StringIds::Hash(path));
            if (id != StringIds::kNone) {
                above = id + 1;
                break;
            }
            missing.push_back(path);
            const std::size_t slash = path.rfind('/');
            if (slash == std::string::npos)
                break;
            path = path.substr(0, slash);
        }
        for (std::size_t k = missing.size(); k-- > 0;) {
            const std::string_view path = missing[k];
            bool added = false;
            // folders_[0] stands for no folder, so a folder's id + 1 is its index.
            const std::uint32_t index = folderIds_.Find(path, StringIds::Hash(path), added) + 1;
            const std::string_view last = NameOf(path);
            folders_.push_back({above, SegmentId(last, StringIds::Hash(last))});
            above = index;
        }
        return above;
    }

    static std::string_view NameOf(std::string_view text) {
        const std::size_t slash = text.rfind('/');
        return slash == std::string::npos ? text : text.substr(slash + 1);
    }

    std::uint32_t SegmentId(std::string_view segment, std::uint64_t hash) {
        bool isNew = false;
        const std::uint32_t id = segmentIds_.Find(segment, hash, isNew);
        if (isNew) {
            UpperCaseInto(segment, folded_);
            primaryAt_.push_back(primaries_.size());
            AppendPrimary(folded_, primaries_);
        }
        return id;
    }

    std::string_view Primary(std::uint32_t id) const {
        const std::size_t end = id + 1 < primaryAt_.size() ? primaryAt_[id + 1] : primaries_.size();
        return std::string_view(primaries_).substr(primaryAt_[id], end - primaryAt_[id]);
    }

    // Appends the collation's first level of one segment, which ignores letter case and accents.
    void AppendPrimary(std::string_view segment, std::string& out) {
        segment_.assign(segment);
        std::size_t n = std::strxfrm(buffer_.data(), segment_.c_str(), buffer_.size());
        if (n >= buffer_.size()) {
            buffer_.resize(n + 1);
            n = std::strxfrm(buffer_.data(), segment_.c_str(), buffer_.size());
        }
        // Levels are separated by \1.
        const char* level = static_cast<const char*>(std::memchr(buffer_.data(), '\1', n));
        out.append(buffer_.data(), level ? static_cast<std::size_t>(level - buffer_.data()) : n);
    }

    // Segments with equal primary keys share a rank.
    void RankSegments() {
        // Ordered by the keys' first sixteen bytes as two numbers, the rest only where those tie.
        struct Entry {
            std::uint64_t high, low;
            std::uint32_t id;
        };
        const auto bytes = [](std::string_view key, std::size_t from) {
            std::uint64_t v = 0;
            for (std::size_t b = from; b < from + 8; ++b)
                v = (v << 8) | (b < key.size() ? static_cast<unsigned char>(key[b]) : 0u);
            return v;
        };
        const auto count = static_cast<std::uint32_t>(primaryAt_.size());
        std::vector<Entry> order(count);
        for (std::uint32_t id = 0; id < count; ++id)
            order[id] = {bytes(Primary(id), 0), bytes(Primary(id), 8), id};
        const auto less = [&](const Entry& a, const Entry& b) {
            if (a.high != b.high)
                return a.high < b.high;
            if (a.low != b.low)
                return a.low < b.low;
            return Primary(a.id) < Primary(b.id);
        };
        std::sort(order.begin(), order.end(), less);
        std::vector<std::uint32_t> rank(count);
        std::uint32_t r = 0;
        for (std::size_t k = 0; k < order.size(); ++k) {
            if (k > 0 && less(order[k - 1], order[k]))
                ++r;
            rank[order[k].id] = r;
        }
        for (std::size_t f = 1; f < folders_.size(); ++f)
            folders_[f].segment = rank[folders_[f].segment];
        for (Row& row : rows_)
            row.name = rank[row.name];
        std::string().swap(primaries_);
        std::vector<std::size_t>().swap(primaryAt_);
    }

    const std::vector<ResultRow>& rowTexts_; // stay in place while sorting
    std::size_t column_;
    std::vector<Row> rows_;
    std::vector<Folder> folders_{Folder{0, 0}};
    StringIds folderIds_, segmentIds_;
    std::string primaries_;              // the segments' primary keys, one after the other
    std::vector<std::size_t> primaryAt_; // where each segment's key begins
    std::string folded_, segment_;
    std::string lastFolder_;
    const RowFolder* lastShared_ = nullptr;
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
    std::string cell; // each cell's text in turn
    const auto text = [&](const ResultRow& row) -> const std::string& {
        cell.clear();
        row.AppendCell(sort.column, cell);
        return cell;
    };
    switch (sort.kind) {
    case SortKind::Name:
    case SortKind::Text: {
        order = TextKeys(rows, sort.column).Order(sort.direction);
        break;
    }
    case SortKind::Number: {
        SizeKeyReader reader(unitWord);
        std::vector<long double> keys;
        keys.reserve(rows.size());
        for (const ResultRow& row : rows)
            keys.push_back(reader.Key(text(row)));
        SortByKeys(order, keys, sort.direction);
        break;
    }
    case SortKind::Date: {
        const DateParser parser;
        std::vector<long long> keys;
        keys.reserve(rows.size());
        for (const ResultRow& row : rows)
            keys.push_back(parser.Key(text(row)));
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
