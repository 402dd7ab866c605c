#pragma once
#include <string>
#include <string_view>
#include <vector>

// Matches file names against a look-for mask by the Windows rules on every platform:
// letter case ignored, '*' any run of characters, '?' exactly one character,
// "*" and "*.*" match every name, a mask without wildcards matches the name itself.
class MaskMatcher {
public:
    explicit MaskMatcher(std::string_view mask);
    bool Matches(std::string_view name) const;
    // The same for a name already folded by FoldedCodePoints.
    bool MatchesFolded(const std::vector<char32_t>& folded) const;
    bool MatchesEverything() const { return matchesAll_; }

private:
    std::vector<char32_t> pattern_;
    bool matchesAll_ = false;
};

// Code points of a text, upper-cased; bytes that are not valid UTF-8 stand for themselves.
std::vector<char32_t> FoldedCodePoints(std::string_view text);
void FoldedCodePoints(std::string_view text, std::vector<char32_t>& out);
