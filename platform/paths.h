#pragma once
#include <string>
#include <string_view>

// The one place that knows the platform's path rules.
namespace paths {
constexpr char kSeparator = '/';
inline bool IsRoot(std::string_view p) { return p == "/"; }
inline bool IsFullPath(std::string_view p) { return !p.empty() && p[0] == kSeparator; }
inline bool EndsWithSeparator(std::string_view p) { return !p.empty() && p.back() == kSeparator; }
// A folder path with exactly one trailing separator appended when it has none.
inline std::string WithTrailingSeparator(std::string p) {
    if (!EndsWithSeparator(p)) p.push_back(kSeparator);
    return p;
}
// One trailing separator removed, except from the root, which keeps it.
inline std::string WithoutTrailingSeparator(std::string p) {
    if (EndsWithSeparator(p) && !IsRoot(p)) p.pop_back();
    return p;
}
inline std::string Join(std::string_view folder, std::string_view name) {
    std::string r(folder);
    if (!EndsWithSeparator(r)) r.push_back(kSeparator);
    r.append(name);
    return r;
}
// A path cut after its last separator: the folder part keeps the separator, the name part is
// the rest.
inline std::string_view FolderPart(std::string_view p) {
    const auto cut = p.rfind(kSeparator);
    return cut == std::string_view::npos ? std::string_view() : p.substr(0, cut + 1);
}
inline std::string_view NamePart(std::string_view p) { return p.substr(FolderPart(p).size()); }
// path made absolute against base (when relative) and without "." and ".." steps.
std::string Absolute(const std::string& path, const std::string& base);
// The folder the program runs in; empty when it cannot be named.
std::string CurrentFolder();
// Both paths name one existing file or folder (links followed).
bool SameFile(const std::string& a, const std::string& b);
} // namespace paths
