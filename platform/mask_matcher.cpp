#include "platform/mask_matcher.h"

#include <cwctype>

namespace {

// Decodes one UTF-8 sequence; an invalid byte is returned as 0xDC00 + byte (never a wildcard).
char32_t DecodeOne(std::string_view s, std::size_t& i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    int extra = c >= 0xF0 && c < 0xF8 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 ? 1 : 0;
    if (c < 0x80 || extra == 0 || i + extra >= s.size()) {
        ++i;
        return c < 0x80 ? c : 0xDC00 + c;
    }
    char32_t cp = c & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) {
            ++i;
            return 0xDC00 + c;
        }
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    i += extra + 1;
    return cp;
}

char32_t Fold(char32_t c) {
    if (c < 0x80) return c >= 'a' && c <= 'z' ? c - 32 : c;
    if (c >= 0xDC80 && c <= 0xDCFF) return c;
    return static_cast<char32_t>(std::towupper(static_cast<wint_t>(c)));
}

bool WildcardMatch(const std::vector<char32_t>& p, const std::vector<char32_t>& n) {
    std::size_t pi = 0, ni = 0, starP = std::string::npos, starN = 0;
    while (ni < n.size()) {
        // '*' first: a name may hold '*' itself, which must not turn the wildcard literal.
        if (pi < p.size() && p[pi] == U'*') {
            starP = pi++;
            starN = ni;
        } else if (pi < p.size() && (p[pi] == U'?' || p[pi] == n[ni])) {
            ++pi;
            ++ni;
        } else if (starP != std::string::npos) {
            pi = starP + 1;
            ni = ++starN;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == U'*') ++pi;
    return pi == p.size();
}

} // namespace

void FoldedCodePoints(std::string_view text, std::vector<char32_t>& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size();) out.push_back(Fold(DecodeOne(text, i)));
}

std::vector<char32_t> FoldedCodePoints(std::string_view text) {
    std::vector<char32_t> out;
    FoldedCodePoints(text, out);
    return out;
}

MaskMatcher::MaskMatcher(std::string_view mask)
    : pattern_(FoldedCodePoints(mask)), matchesAll_(mask == "*" || mask == "*.*") {}

bool MaskMatcher::Matches(std::string_view name) const {
    if (matchesAll_) return true;
    thread_local std::vector<char32_t> folded;
    FoldedCodePoints(name, folded);
    return WildcardMatch(pattern_, folded);
}

bool MaskMatcher::MatchesFolded(const std::vector<char32_t>& folded) const {
    return matchesAll_ || WildcardMatch(pattern_, folded);
}
