#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/mask_matcher.h"

// The masks of one look-for or exclusion text: separated by ';', blanks around each trimmed,
// empty ones left out. A text without ';' is the one mask it always was.
std::vector<std::string> SplitMasks(std::string_view text);

// Takes a name when it matches any of several masks, each by the matcher's rules.
class NameFilter {
  public:
    NameFilter() = default; // no mask: takes nothing
    explicit NameFilter(std::string_view masks);

    bool Matches(std::string_view name) const;
    bool MatchesEverything() const { return matchesAll_; }
    bool Empty() const { return matchers_.empty(); }
    // The folder-row test: the name, upper-cased, contains one of the masks, upper-cased,
    // with wildcards taken literally.
    bool ContainedIn(std::string_view name) const;

  private:
    std::vector<MaskMatcher> matchers_;
    std::vector<std::string> upperMasks_;
    bool matchesAll_ = false;
};
