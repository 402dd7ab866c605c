#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "save/result_writer.h"
#include "support/scripted_message_boxes.h"
#include "support/table_builder.h"
#include "support/temp_tree.h"

namespace fs = std::filesystem;
using Rows = std::vector<std::vector<std::string>>;

namespace {

std::string FindOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    for (std::string dir; std::getline(dirs, dir, ':');)
        if (!dir.empty() && ::access((dir + "/" + program).c_str(), X_OK) == 0)
            return dir + "/" + program;
    return {};
}

// Tab-separated text as Calc writes it: fields in quotes where needed, quotes doubled.
Rows ParseTabSeparated(const std::string& text) {
    Rows rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = rows.back().back();
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field.push_back(text[++i]);
            else if (c == '"')
                quoted = false;
            else
                field.push_back(c);
        } else if (c == '"') {
            quoted = true;
        } else if (c == '\t') {
            rows.back().emplace_back();
        } else if (c == '\n') {
            rows.emplace_back(1);
        } else if (c != '\r') {
            field.push_back(c);
        }
    }
    if (rows.back() == std::vector<std::string>(1))
        rows.pop_back();
    for (auto& row : rows) // Calc pads every line to the widest one
        while (row.size() > 1 && row.back().empty())
            row.pop_back();
    return rows;
}

std::string ShellQuote(const std::string& s) {
    std::string out = "'";
    for (const char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

} // namespace

TEST(ResultWriterInCalc, CsvOpensWithTheSameCells) {
    const std::string soffice = FindOnPath("soffice");
    if (soffice.empty())
        GTEST_SKIP() << "LibreOffice is not installed";

    TempTree t;
    const ResultTable table = MakeTable(
        {"Datei", "Größe (KB)", "Typ", "geändert"},
        {{"/home/jörg/Bücher/Straße.pdf", "   1.205,632 KB", "PDF-Dokument", "24.12.2003 13:45:12"},
         {"/tmp/a\"b.txt", "       0,117 KB", "x\";\"y", "01.02.2003 08:00:00"},
         {"/tmp/semi;colon", "       0,000 KB", "", "01.02.2003 08:00:00"}});
    ScriptedMessageBoxes boxes;
    WriterPlatform platform;
    platform.driveTypeName = [](const std::string&) { return std::string("Harddisk"); };
    platform.shortDateOrder = 1;
    platform.timeSeparator = ":";
    std::tm tm{};
    tm.tm_year = 103, tm.tm_mon = 11, tm.tm_mday = 24, tm.tm_hour = 13, tm.tm_min = 45;
    tm.tm_isdst = -1;
    const std::string csv = t.Path("list.csv");
    ASSERT_TRUE(WriteResultFile(table, csv, true, std::mktime(&tm), boxes, platform).saved);

    // Semicolon-separated, quote-delimited UTF-8; every column read as text.
    const std::string in = "CSV:59,34,76,1,1/2/2/2/3/2/4/2/5/2,1031,true,false";
    const std::string outFilter = "csv:Text - txt - csv (StarCalc):9,34,76";
    const std::string command =
        ShellQuote(soffice) + " -env:UserInstallation=file://" + t.Path("profile") +
        " --headless --infilter=" + ShellQuote(in) + " --convert-to " + ShellQuote(outFilter) +
        " --outdir " + ShellQuote(t.Path("out")) + " " + ShellQuote(csv) + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream result(t.Path("out/list.csv"), std::ios::binary);
    ASSERT_TRUE(result) << "Calc wrote no file";
    std::stringstream bytes;
    bytes << result.rdbuf();

    const Rows expected = {
        {"24.12.2003, 13:45"},
        {"Datei", "Größe", "Einheit", "Typ", "geändert"},
        {"/home/jörg/Bücher/Straße.pdf", "1.205,632", "KB", "PDF-Dokument", "24.12.2003 13:45:12"},
        {"/tmp/a\"b.txt", "0,117", "KB", "x\";\"y", "01.02.2003 08:00:00"},
        {"/tmp/semi;colon", "0,000", "KB", "", "01.02.2003 08:00:00"},
    };
    EXPECT_EQ(ParseTabSeparated(bytes.str()), expected);
}
