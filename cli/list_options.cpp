#include "cli/list_options.h"

#include <algorithm>
#include <ctime>
#include <limits>
#include <string_view>

#include "resources/strings.h"
#include "search/formatting.h"

namespace {

bool SetColumn(SearchOptions& o, std::string_view name) {
    const std::pair<std::string_view, bool SearchOptions::*> columns[] = {
        {"size", &SearchOptions::showSize},
        {"type", &SearchOptions::showType},
        {"modified", &SearchOptions::showModified},
        {"created", &SearchOptions::showCreated},
        {"access", &SearchOptions::showLastAccess},
        {"files", &SearchOptions::showFileCount},
        {"subfolders", &SearchOptions::showSubfolderCount},
        {"attributes", &SearchOptions::showAttributes},
        {"shortname", &SearchOptions::showShortName}};
    for (const auto& [key, member] : columns)
        if (name == key) {
            o.*member = true;
            return true;
        }
    return false;
}

bool SetColumns(SearchOptions& o, std::string_view list) {
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view item = list.substr(0, comma);
        if (!item.empty() && !SetColumn(o, item))
            return false;
        if (comma == std::string_view::npos)
            return true;
        list.remove_prefix(comma + 1);
    }
}

bool IsSortKey(std::string_view key) {
    constexpr std::string_view keys[] = {"name",    "size",   "type",       "modified",
                                         "created", "access", "attributes", "shortname"};
    return std::find(std::begin(keys), std::end(keys), key) != std::end(keys);
}

std::optional<SortRequest> ParseSort(std::string_view text) {
    SortRequest sort;
    const std::size_t colon = text.find(':');
    sort.key = std::string(text.substr(0, colon));
    if (!IsSortKey(sort.key))
        return std::nullopt;
    if (colon != std::string_view::npos) {
        const std::string_view dir = text.substr(colon + 1);
        if (dir == "asc")
            sort.direction = 1;
        else if (dir == "desc")
            sort.direction = -1;
        else
            return std::nullopt;
    }
    return sort;
}

// Digits only, at most what fits; nothing for anything else.
std::optional<std::int64_t> WholeNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 18)
        return std::nullopt;
    std::int64_t n = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

// "500", "500K", "10M", "2G": bytes.
std::optional<std::int64_t> ParseSize(std::string_view text) {
    std::int64_t factor = 1;
    if (!text.empty() && std::string_view("KMG").find(text.back()) != std::string_view::npos) {
        factor = std::int64_t{1} << (10 * (std::string_view("KMG").find(text.back()) + 1));
        text.remove_suffix(1);
    }
    const auto n = WholeNumber(text);
    if (!n || *n > std::numeric_limits<std::int64_t>::max() / factor)
        return std::nullopt;
    return *n * factor;
}

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// "YYYY-MM-DD" (local midnight) or "YYYY-MM-DDTHH:MM[:SS]" (local time).
std::optional<std::time_t> ParseWhen(std::string_view text) {
    const auto field = [&](std::size_t at, std::size_t length) -> int {
        const auto n =
            at + length <= text.size() ? WholeNumber(text.substr(at, length)) : std::nullopt;
        return n ? static_cast<int>(*n) : -1;
    };
    const std::size_t size = text.size();
    if ((size != 10 && size != 16 && size != 19) || text[4] != '-' || text[7] != '-' ||
        (size > 10 && (text[10] != 'T' || text[13] != ':')) || (size == 19 && text[16] != ':'))
        return std::nullopt;
    std::tm tm{};
    tm.tm_year = field(0, 4) - 1900;
    tm.tm_mon = field(5, 2) - 1;
    tm.tm_mday = field(8, 2);
    tm.tm_hour = size > 10 ? field(11, 2) : 0;
    tm.tm_min = size > 10 ? field(14, 2) : 0;
    tm.tm_sec = size > 16 ? field(17, 2) : 0;
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int year = tm.tm_year + 1900;
    if (year < 0 || tm.tm_mon < 0 || tm.tm_mon > 11 || tm.tm_mday < 1 ||
        tm.tm_mday > days[tm.tm_mon] + (tm.tm_mon == 1 && IsLeapYear(year)) || tm.tm_hour < 0 ||
        tm.tm_hour > 23 || tm.tm_min < 0 || tm.tm_min > 59 || tm.tm_sec < 0 || tm.tm_sec > 59)
        return std::nullopt;
    tm.tm_isdst = -1; // the offset in force at that moment
    return std::mktime(&tm);
}

// Walks the arguments; options with a value take it from "--opt=value", "-ovalue" or the
// next argument.
class Parser {
  public:
    explicit Parser(const std::vector<std::string>& args) : args_(args) {}

    ParsedArguments Run() {
        ListArguments a;
        bool optionsEnd = false;
        for (i_ = 0; i_ < args_.size() && error_.empty(); ++i_) {
            const std::string& arg = args_[i_];
            if (optionsEnd || arg.empty() || arg[0] != '-' || arg == "-")
                Positional(a, arg);
            else if (arg == "--")
                optionsEnd = true;
            else
                Option(a, arg);
        }
        if (!error_.empty())
            return {std::nullopt, error_};
        return {std::move(a), {}};
    }

  private:
    void Positional(ListArguments& a, const std::string& arg) {
        if (!a.folder.empty())
            error_ = Msg(208) + " " + arg;
        else
            a.folder = arg;
    }

    void Option(ListArguments& a, const std::string& arg) {
        name_ = arg;
        inlineValue_.reset();
        if (arg.starts_with("--")) {
            if (const std::size_t eq = arg.find('='); eq != std::string::npos) {
                name_ = arg.substr(0, eq);
                inlineValue_ = arg.substr(eq + 1);
            }
        } else if (arg.size() > 2) {
            name_ = arg.substr(0, 2);
            inlineValue_ = arg.substr(2);
        }
        SearchOptions& o = a.options;
        const auto bound = [](auto& target, auto parse) {
            return
                [&target, parse](const std::string& v) { return (target = parse(v)).has_value(); };
        };
        if (Is("-m", "--mask"))
            Value([&](const std::string& v) {
                a.mask = maskGiven_ ? a.mask + ";" + v : v;
                return maskGiven_ = true;
            });
        else if (Is("", "--exclude"))
            Value([&](const std::string& v) {
                a.excluded += (a.excluded.empty() ? "" : ";") + v;
                return true;
            });
        else if (Is("", "--min-size"))
            Value(bound(a.fileBounds.minSize, ParseSize), 340);
        else if (Is("", "--max-size"))
            Value(bound(a.fileBounds.maxSize, ParseSize), 340);
        else if (Is("", "--newer"))
            Value(bound(a.fileBounds.newer, ParseWhen), 341);
        else if (Is("", "--older"))
            Value(bound(a.fileBounds.older, ParseWhen), 341);
        else if (Is("", "--format"))
            Value([&](const std::string& v) {
                if (v == "jsonl")
                    a.format = ListFormat::JsonLines;
                return v == "jsonl";
            });

        else if (Is("-s", "--subfolders"))
            Flag(o.includeSubfolders);
        else if (Is("", "--only-folders"))
            Flag(o.onlyFolders);
        else if (Is("", "--structure"))
            Value([&](const std::string& v) {
                o.structureMode = v == "explorer" ? ModeExplorer
                                  : v == "single" ? ModeSingleFolders
                                                  : -1;
                return o.structureMode >= 0;
            });
        else if (Is("-c", "--columns"))
            Value([&](const std::string& v) { return SetColumns(o, v); });
        else if (Is("-u", "--unit"))
            Value([&](const std::string& v) {
                o.sizeUnit = v == "byte" ? UnitByte
                             : v == "kb" ? UnitKilobyte
                             : v == "mb" ? UnitMegabyte
                                         : -1;
                return o.sizeUnit >= 0;
            });
        else if (Is("", "--sort"))
            Value([&](const std::string& v) { return (a.sort = ParseSort(v)).has_value(); });
        else if (Is("", "--threads"))
            Value([&](const std::string& v) {
                const bool valid = v.size() == 1 && v[0] >= '1' && v[0] <= '4';
                a.threads = valid ? static_cast<unsigned>(v[0] - '0') : 0;
                return valid;
            });
        else if (Is("", "--date-line"))
            Flag(a.dateLine);
        else if (Is("-o", "--output"))
            Value([&](const std::string& v) { return a.output = v, !v.empty(); });
        else if (Is("-h", "--help"))
            Flag(a.help);
        else if (Is("", "--version"))
            Flag(a.version);
        else if (Is("", "--all-drives"))
            Flag(a.allDrives);
        else
            error_ = Msg(205) + " " + arg;
    }

    bool Is(std::string_view shortName, std::string_view longName) const {
        return (!shortName.empty() && name_ == shortName) || name_ == longName;
    }

    void Flag(bool& flag) {
        if (inlineValue_)
            error_ = Msg(205) + " " + args_[i_];
        else
            flag = true;
    }

    // hint: a text saying what the value should look like.
    template <typename Apply> void Value(Apply apply, int hint = 0) {
        std::string value;
        if (inlineValue_) {
            value = *inlineValue_;
        } else if (i_ + 1 < args_.size()) {
            value = args_[++i_];
        } else {
            error_ = Msg(206) + " " + name_;
            return;
        }
        if (!apply(value))
            error_ = Msg(207) + " " + name_ + ": " + value + (hint ? " (" + Msg(hint) + ")" : "");
    }

    const std::vector<std::string>& args_;
    std::size_t i_ = 0;
    std::string name_;
    std::optional<std::string> inlineValue_;
    std::string error_;
    bool maskGiven_ = false; // the first -m replaces the default
};

// The first size or date bound given, by its option name; empty when none is.
std::string_view FirstBoundOption(const FileBounds& b) {
    return b.minSize   ? "--min-size"
           : b.maxSize ? "--max-size"
           : b.newer   ? "--newer"
           : b.older   ? "--older"
                       : "";
}

} // namespace

ParsedArguments ParseListArguments(const std::vector<std::string>& args) {
    ParsedArguments parsed = Parser(args).Run();
    if (!parsed.arguments)
        return parsed;
    const ListArguments& a = *parsed.arguments;
    if (a.help || a.version)
        return parsed;
    if (a.allDrives && !a.folder.empty())
        return {std::nullopt, Msg(208) + " " + a.folder};
    if (!a.allDrives && a.folder.empty())
        return {std::nullopt, Msg(102)};
    // The bounds pick file rows of the plain listing; the folder listings have none.
    if (a.fileBounds.Any() && (a.options.structureMode != ModeNone || a.options.onlyFolders))
        return {std::nullopt, Msg(343) + " " + std::string(FirstBoundOption(a.fileBounds))};
    if (a.fileBounds.minSize && a.fileBounds.maxSize &&
        *a.fileBounds.minSize > *a.fileBounds.maxSize)
        return {std::nullopt, Msg(342)};
    return parsed;
}

SearchOptions AsWindowWouldHoldThem(SearchOptions o) {
    if (o.structureMode != ModeNone) {
        o.onlyFolders = o.includeSubfolders = true;
        o.showType = o.showModified = o.showLastAccess = false;
        return o;
    }
    o.showFileCount = o.showSubfolderCount = false;
    if (o.onlyFolders)
        o.showSize = o.showType = o.showModified = o.showCreated = o.showLastAccess =
            o.showAttributes = o.showShortName = false;
    return o;
}
