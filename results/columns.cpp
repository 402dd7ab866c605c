#include "results/columns.h"

#include "resources/strings.h"

namespace {
int SizeCaptionNumber(int unit) { return unit == 1 ? 104 : unit == 2 ? 147 : 149; }

ColumnSpec Optional(int message, ColumnKind kind) {
    return {Msg(message), kind, false, ColumnFit::ContentsMin100};
}
} // namespace

std::string SizeCaption(int sizeUnit) { return Msg(SizeCaptionNumber(sizeUnit)); }
std::string UnitWord(int sizeUnit) { return Msg(sizeUnit == 1 ? 78 : sizeUnit == 2 ? 196 : 148); }

bool IsSizeCaption(std::string_view c) {
    return c == MessageText(149) || c == MessageText(104) || c == MessageText(147);
}

std::string_view UnitWordOfSizeCaption(std::string_view caption) {
    if (caption == MessageText(104)) return MessageText(78);
    if (caption == MessageText(147)) return MessageText(196);
    return MessageText(148);
}

std::string UnitWordOfColumns(const std::vector<ColumnSpec>& columns, std::string_view fallback) {
    for (const ColumnSpec& c : columns)
        if (IsSizeCaption(c.caption)) return std::string(UnitWordOfSizeCaption(c.caption));
    return std::string(fallback);
}

ColumnKind KindOfCaption(std::string_view c, bool isFirstColumn) {
    if (isFirstColumn) return ColumnKind::Path;
    if (IsSizeCaption(c)) return ColumnKind::Size;
    const std::pair<int, ColumnKind> known[] = {
        {150, ColumnKind::Type},       {142, ColumnKind::Modified},
        {133, ColumnKind::Created},    {134, ColumnKind::LastAccess},
        {153, ColumnKind::FileCount},  {154, ColumnKind::SubfolderCount},
        {135, ColumnKind::Attributes}, {136, ColumnKind::ShortName}};
    for (const auto& [message, kind] : known)
        if (c == MessageText(message)) return kind;
    return ColumnKind::Unknown;
}

std::vector<ColumnSpec> BuildColumnSet(const SearchOptions& o) {
    const bool structure = o.structureMode == ModeExplorer || o.structureMode == ModeSingleFolders;
    std::vector<ColumnSpec> cols;
    const bool folderRows = structure || o.onlyFolders;
    cols.push_back({Msg(folderRows ? 93 : 60), ColumnKind::Path, false, ColumnFit::Contents});

    if (!structure && o.onlyFolders) {
        cols.push_back({SizeCaption(o.sizeUnit), ColumnKind::Size, true, ColumnFit::ContentsMin100});
        return cols;
    }
    if (o.showSize)
        cols.push_back({SizeCaption(o.sizeUnit), ColumnKind::Size, true, ColumnFit::Header});
    if (o.showType) cols.push_back(Optional(150, ColumnKind::Type));
    if (o.showModified) cols.push_back(Optional(142, ColumnKind::Modified));
    if (o.showCreated) cols.push_back(Optional(133, ColumnKind::Created));
    if (o.showLastAccess) cols.push_back(Optional(134, ColumnKind::LastAccess));
    if (structure && o.showFileCount)
        cols.push_back({Msg(153), ColumnKind::FileCount, true, ColumnFit::Header});
    if (structure && o.showSubfolderCount)
        cols.push_back({Msg(154), ColumnKind::SubfolderCount, true, ColumnFit::Header});
    if (o.showAttributes) cols.push_back({Msg(135), ColumnKind::Attributes, false, ColumnFit::Header});
    // Raised to 100 pixels and then fitted to its contents again, so the raise does not last.
    if (o.showShortName) cols.push_back({Msg(136), ColumnKind::ShortName, false, ColumnFit::Contents});
    return cols;
}
