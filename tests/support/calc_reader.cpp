#include "support/calc_reader.h"

#include <QFile>
#include <QXmlStreamReader>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <unistd.h>

namespace {

std::string ShellQuote(const std::string& s) {
    std::string out = "'";
    for (const char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

void TrimRow(std::vector<CalcCell>& row) {
    while (!row.empty() && row.back().type.empty())
        row.pop_back();
}

class FlatReader {
  public:
    explicit FlatReader(QXmlStreamReader& xml) : xml_(xml) {}

    std::vector<CalcSheet> Read() {
        while (!xml_.atEnd()) {
            if (!xml_.readNextStartElement())
                continue;
            const QStringView name = xml_.qualifiedName();
            const auto attr = [&](const char* n) {
                return xml_.attributes().value(QLatin1String(n)).toString().toStdString();
            };
            if (name == u"style:style")
                style_ = attr("style:name");
            else if (name == u"style:text-properties" && attr("fo:font-weight") == "bold")
                bold_.insert(style_);
            else if (name == u"table:table")
                sheets_.push_back({attr("table:name"), {}, {}});
            else if (name == u"table:table-row")
                Row(attr("table:number-rows-repeated"));
            else if (name == u"table:table-cell" || name == u"table:covered-table-cell")
                Cell();
            else if (name == u"table:database-range" &&
                     attr("table:display-filter-buttons") == "true")
                filters_[attr("table:target-range-address")] = true;
        }
        for (CalcSheet& sheet : sheets_) {
            for (auto& row : sheet.rows)
                TrimRow(row);
            while (!sheet.rows.empty() && sheet.rows.back().empty())
                sheet.rows.pop_back();
            for (const auto& [range, on] : filters_)
                if (range.rfind(sheet.name + ".", 0) == 0 ||
                    range.rfind("'" + sheet.name + "'.", 0) == 0)
                    sheet.filterRange = range;
        }
        return sheets_;
    }

  private:
    void Row(const std::string& repeated) {
        const int n = repeated.empty() ? 1 : std::min(std::stoi(repeated), 2);
        for (int i = 0; i < n; ++i)
            sheets_.back().rows.emplace_back();
    }

    void Cell() {
        const QXmlStreamAttributes a = xml_.attributes();
        const auto attr = [&](const char* n) {
            return a.value(QLatin1String(n)).toString().toStdString();
        };
        CalcCell cell;
        cell.type = attr("office:value-type");
        cell.value = cell.type == "date" ? attr("office:date-value") : attr("office:value");
        cell.bold = bold_.count(attr("table:style-name")) > 0;
        const std::string repeated = attr("table:number-columns-repeated");
        std::string text;
        while (xml_.readNextStartElement()) // text:p, one per line
            text += xml_.readElementText(QXmlStreamReader::IncludeChildElements).toStdString();
        if (cell.type == "string")
            cell.value = text;
        // Calc fills a sheet's width with one repeated empty cell; the row's trimming drops it.
        const int n = repeated.empty() ? 1 : std::min(std::stoi(repeated), 1000);
        for (int i = 0; i < n; ++i)
            sheets_.back().rows.back().push_back(cell);
    }

    QXmlStreamReader& xml_;
    std::vector<CalcSheet> sheets_;
    std::set<std::string> bold_;
    std::string style_;
    std::map<std::string, bool> filters_;
};

} // namespace

std::string FindSoffice() {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    for (std::string dir; std::getline(dirs, dir, ':');)
        if (!dir.empty() && ::access((dir + "/soffice").c_str(), X_OK) == 0)
            return dir + "/soffice";
    return {};
}

std::vector<std::vector<CalcSheet>> ReadWithCalc(const std::vector<std::string>& files,
                                                 const std::string& workDir) {
    std::string command = ShellQuote(FindSoffice()) + " -env:UserInstallation=file://" + workDir +
                          "/profile --headless --convert-to fods --outdir " +
                          ShellQuote(workDir + "/calc");
    for (const std::string& f : files)
        command += " " + ShellQuote(f);
    command += " >/dev/null 2>&1";
    std::vector<std::vector<CalcSheet>> out;
    if (std::system(command.c_str()) != 0)
        return out;
    for (const std::string& f : files) {
        QFile file(QString::fromStdString(workDir + "/calc/" +
                                          std::filesystem::path(f).stem().string() + ".fods"));
        if (!file.open(QIODevice::ReadOnly)) {
            out.emplace_back();
            continue;
        }
        QXmlStreamReader xml(&file);
        out.push_back(FlatReader(xml).Read());
    }
    return out;
}
