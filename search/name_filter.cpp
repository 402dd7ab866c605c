#include "search/name_filter.h"

#include <algorithm>

#include "platform/locale.h"

std::vector<std::string> SplitMasks(std::string_view text) {
    std::vector<std::string> masks;
    for (;;) {
        const std::size_t end = text.find(';');
        std::string_view mask = text.substr(0, end);
        const std::size_t first = mask.find_first_not_of(' ');
        if (first != std::string_view::npos)
            masks.emplace_back(mask.substr(first, mask.find_last_not_of(' ') - first + 1));
        if (end == std::string_view::npos)
            return masks;
        text.remove_prefix(end + 1);
    }
}

NameFilter::NameFilter(std::string_view masks) {
    for (const std::string& mask : SplitMasks(masks)) {
        matchers_.emplace_back(mask);
        upperMasks_.push_back(UpperCase(mask));
        matchesAll_ = matchesAll_ || matchers_.back().MatchesEverything();
    }
}

bool NameFilter::Matches(std::string_view name) const {
    if (matchesAll_)
        return true;
    if (matchers_.size() == 1)
        return matchers_[0].Matches(name);
    thread_local std::vector<char32_t> folded; // one folding of the name serves every mask
    FoldedCodePoints(name, folded);
    return std::any_of(matchers_.begin(), matchers_.end(),
                       [&](const MaskMatcher& m) { return m.MatchesFolded(folded); });
}

bool NameFilter::ContainedIn(std::string_view name) const {
    if (upperMasks_.empty())
        return false;
    const std::string upper = UpperCase(name);
    return std::any_of(upperMasks_.begin(), upperMasks_.end(), [&](const std::string& mask) {
        return upper.find(mask) != std::string::npos;
    });
}
