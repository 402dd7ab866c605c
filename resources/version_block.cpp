#include "resources/version_block.h"

#include <cstdio>

#include "resources/project_info.h"

namespace {
constexpr const char* kNames[] = {"FileVersion", "LegalCopyright", "ProductName", "ProductVersion"};

std::string Prefix(const VersionBlock::Translation& t) {
    char hex[9];
    std::snprintf(hex, sizeof hex, "%04X%04X", t.language, t.codePage);
    return hex;
}
} // namespace

const VersionBlock& ProgramVersionBlock() {
    static const VersionBlock block{
        {{0x0407, 0x04E4}},
        {{"StringFileInfo\\040704E4\\FileVersion", kPathquillVersion},
         {"StringFileInfo\\040704E4\\LegalCopyright",
          "Copyright \u00A9 2026 die Pathquill-Entwickler.\nFreie Software ohne Gew\u00E4hr."},
         {"StringFileInfo\\040704E4\\ProductName", "Pathquill"},
         {"StringFileInfo\\040704E4\\ProductVersion", kPathquillMajorVersion}}};
    return block;
}

std::optional<std::string> QueryVersionValue(const VersionBlock& block, const std::string& path) {
    const auto it = block.strings.find(path);
    if (it == block.strings.end())
        return std::nullopt;
    return it->second;
}

VersionValues ReadVersionValues(const VersionBlock& block) {
    if (block.translations.empty())
        return {};
    const std::string base = "StringFileInfo\\" + Prefix(block.translations.front()) + "\\";
    const auto value = [&](const char* name) { return QueryVersionValue(block, base + name); };
    return {value(kNames[0]), value(kNames[1]), value(kNames[2]), value(kNames[3])};
}

std::vector<std::string> VersionInfoList(const VersionBlock& block) {
    const VersionValues v = ReadVersionValues(block);
    std::vector<std::string> list;
    for (const auto* value : {&v.fileVersion, &v.legalCopyright, &v.productName, &v.productVersion})
        if (*value)
            list.push_back(**value);
    return list;
}
