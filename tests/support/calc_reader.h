#pragma once
#include <ostream>
#include <string>
#include <vector>

// Spreadsheets as LibreOffice Calc reads them: each file converted by a headless soffice to
// flat OpenDocument, then its sheets read cell by cell.
struct CalcCell {
    std::string type;  // "string", "float", "date", or "" for an empty cell
    std::string value; // office:value or office:date-value; the text for a string
    bool bold = false;
    bool operator==(const CalcCell&) const = default;
    friend void PrintTo(const CalcCell& c, std::ostream* os) {
        *os << c.type << ":" << c.value << (c.bold ? " (bold)" : "");
    }
};
struct CalcSheet {
    std::string name;
    std::vector<std::vector<CalcCell>> rows; // without the empty cells and rows at the end
    std::string filterRange;                 // the autofilter's range, "Name.A1:Name.D3"
};

// The path of soffice, or "" when LibreOffice is not installed.
std::string FindSoffice();
// Converts every file in one run of soffice (profile kept in workDir); the sheets of each file
// in the same order, or nothing for a file Calc could not read.
std::vector<std::vector<CalcSheet>> ReadWithCalc(const std::vector<std::string>& files,
                                                 const std::string& workDir);
