#include "cli/list_options.h"

#include <algorithm>
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
        if (Is("-m", "--mask"))
            Value([&](const std::string& v) { return a.mask = v, true; });
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

    template <typename Apply> void Value(Apply apply) {
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
            error_ = Msg(207) + " " + name_ + ": " + value;
    }

    const std::vector<std::string>& args_;
    std::size_t i_ = 0;
    std::string name_;
    std::optional<std::string> inlineValue_;
    std::string error_;
};

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
