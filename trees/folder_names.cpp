#include "trees/folder_names.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

#include "platform/paths.h"

namespace folder_names {

void SortByName(std::vector<folders::SubFolder>& list) {
    // The C locale would compare code points: letter case and numbers would not count.
    const QLocale locale =
        QLocale().language() == QLocale::C ? QLocale(QLocale::English) : QLocale();
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    struct Keyed {
        QCollatorSortKey key;
        folders::SubFolder* folder;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(list.size());
    for (folders::SubFolder& f : list)
        keyed.push_back({collator.sortKey(QString::fromUtf8(f.name.data(),
                                                            static_cast<qsizetype>(f.name.size()))),
                         &f});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int c = a.key.compare(b.key);
        return c != 0 ? c < 0 : a.folder->name < b.folder->name;
    });
    std::vector<folders::SubFolder> sorted;
    sorted.reserve(list.size());
    for (const Keyed& k : keyed)
        sorted.push_back(std::move(*k.folder));
    list = std::move(sorted);
}

std::string AbsoluteFolderPath(std::string_view path, std::string_view currentFolder) {
    std::string whole =
        paths::IsFullPath(path) ? std::string(path) : paths::Join(currentFolder, path);
    std::vector<std::string_view> parts;
    std::string_view rest = whole;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::string result;
    for (std::string_view part : parts)
        result.append("/").append(part);
    return result.empty() ? std::string("/") : result;
}

std::optional<std::vector<std::string>> StepsBelow(std::string_view anchor, std::string_view path) {
    const std::string base = paths::WithTrailingSeparator(std::string(anchor));
    if (path == anchor)
        return std::vector<std::string>{};
    if (!path.starts_with(base))
        return std::nullopt;
    std::vector<std::string> steps;
    std::string_view rest = path.substr(base.size());
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        if (slash != 0)
            steps.emplace_back(rest.substr(0, slash));
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    }
    return steps;
}

NameCheck CheckFolderName(std::string_view name) {
    if (name.empty())
        return NameCheck::Empty;
    if (name == "." || name == ".." || name.size() > 255 ||
        name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
        return NameCheck::Invalid;
    return NameCheck::Valid;
}

std::string DriveText(std::string_view label, std::string_view fileSystem,
                      std::string_view mountPoint) {
    std::string text(label.empty() ? fileSystem : label);
    if (text.empty())
        return std::string(mountPoint);
    return text.append(" (").append(mountPoint).append(")");
}

} // namespace folder_names
