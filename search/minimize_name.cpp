#include "search/minimize_name.h"

#include "platform/paths.h"

namespace {
constexpr char kSep = paths::kSeparator;
const std::string kEllipsis = std::string("...") + kSep;            // ".../"
const std::string kRootedEllipsis = std::string(1, kSep) + kEllipsis; // "/.../"

// Removes the first folder of the folder part; removed folders collapse into one ".../".
std::string CutFirstFolder(std::string d) {
    if (d == std::string(1, kSep)) return {};
    const bool leading = d[0] == kSep;
    if (leading) d.erase(0, 1);
    // Only the ellipsis of earlier passes goes whole; a hidden folder is cut like any other.
    if (d.starts_with(kEllipsis)) d.erase(0, kEllipsis.size());
    const auto next = d.find(kSep);
    d = next == std::string::npos ? std::string() : kEllipsis + d.substr(next + 1);
    if (leading) d.insert(0, 1, kSep);
    return d;
}
} // namespace

std::string MinimizeName(const std::string& path, const TextWidth& width, int maxWidth) {
    std::string result = path;
    const auto lastSep = path.rfind(kSep);
    std::string d = lastSep == std::string::npos ? std::string() : path.substr(0, lastSep + 1);
    const std::string n = lastSep == std::string::npos ? path : path.substr(lastSep + 1);
    std::string v;
    if (d.size() >= 2 && d[1] == ':') { // a drive designator, where the platform has them
        v = d.substr(0, 2);
        d.erase(0, 2);
    }
    while ((!d.empty() || !v.empty()) && width(result) > maxWidth) {
        if (d == kRootedEllipsis) {
            v.clear();
            d = kEllipsis;
        } else if (d.empty()) {
            v.clear();
        } else {
            d = CutFirstFolder(d);
        }
        result = v + d + n;
    }
    return result;
}
