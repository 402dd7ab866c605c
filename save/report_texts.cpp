#include "save/report_texts.h"

#include "resources/strings.h"
#include "search/formatting.h"
#include "search/search_request.h"

namespace {

std::string Trimmed(std::string text) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::string Title(const ReportSubject& s) {
    const std::string target = s.searchTarget == kAllDrives ? Msg(182) : s.searchTarget;
    std::string title = Msg(107) + " " + target + " \u2013 ";
    if (s.structureMode == ModeExplorer || s.structureMode == ModeSingleFolders)
        return title + Msg(12) + ": " + Msg(s.structureMode == ModeExplorer ? 140 : 141);
    return title + Msg(11) + " " + s.lookFor;
}

std::string Summary(const ResultTable& table) {
    std::string text = Msg(152) + ": " + GroupThousands(std::to_string(table.rows.size()));
    if (const auto size = FindSizeColumn(table.columns))
        text += "   " + Msg(280) + ": " +
                Trimmed(SizeText(SizeTotal(table, size->column), size->unit)) + " " +
                UnitWord(size->unit);
    return text;
}

} // namespace

std::optional<SizeColumn> FindSizeColumn(const std::vector<ColumnSpec>& columns) {
    for (std::size_t k = 0; k < columns.size(); ++k)
        for (int unit = 0; unit < 3; ++unit)
            if (columns[k].caption == SizeCaption(unit))
                return SizeColumn{k, unit};
    return std::nullopt;
}

std::int64_t SizeTotal(const ResultTable& table, std::size_t column) {
    std::int64_t total = 0;
    for (const ResultRow& row : table.rows)
        total += row.Number(column).value_or(0);
    return total;
}

ReportTexts MakeReportTexts(const ResultTable& table, const ReportSubject& subject, std::time_t now,
                            const WriterPlatform& platform) {
    return {Title(subject),
            DateLine(ToLocalTime(now), platform.shortDateOrder, platform.timeSeparator),
            Summary(table)};
}

std::string PageFooter(std::size_t page, std::size_t pages) {
    std::string text = Msg(281);
    for (const auto& [mark, value] : {std::pair{"%1", page}, std::pair{"%2", pages}})
        if (const std::size_t at = text.find(mark); at != std::string::npos)
            text.replace(at, 2, std::to_string(value));
    return text;
}
