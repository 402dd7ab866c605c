#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The program's version block: translation entries and string values, read by the query
// paths of a version resource ("\VarFileInfo\Translation", "StringFileInfo\040704E4\...").
struct VersionBlock {
    struct Translation {
        std::uint16_t language = 0;
        std::uint16_t codePage = 0;
    };
    std::vector<Translation> translations;
    std::map<std::string, std::string> strings; // by full query path
};

// The block compiled into the program: German, Windows-1252, four values.
const VersionBlock& ProgramVersionBlock();

// A string value by its query path.
std::optional<std::string> QueryVersionValue(const VersionBlock& block, const std::string& path);

// The four values of the first translation, by name; a missing one stays empty.
struct VersionValues {
    std::optional<std::string> fileVersion, legalCopyright, productName, productVersion;
};
VersionValues ReadVersionValues(const VersionBlock& block);
// The values found, in the order FileVersion, LegalCopyright, ProductName, ProductVersion;
// missing ones are skipped.
std::vector<std::string> VersionInfoList(const VersionBlock& block);
