#include "platform/Wildcard.h"

namespace dorvane::platform {

namespace {

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool MatchGlob(std::string_view pattern, std::string_view name) {
    // Greedy matching that, on a mismatch, lets the most recent "*" swallow one more
    // character; earlier stars never need to be revisited.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starAt = std::string_view::npos;
    std::size_t resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || FoldAscii(pattern[p]) == FoldAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace

bool WildcardMatchesAll(std::string_view pattern) { return pattern == "*.*" || pattern == "*"; }

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    if (WildcardMatchesAll(pattern)) {
        return true;
    }
    if (MatchGlob(pattern, name)) {
        return true;
    }
    // A final ".*" may also stand for no extension at all: "notes.*" matches "notes".
    constexpr std::string_view anyExtension = ".*";
    return pattern.size() >= anyExtension.size() &&
           pattern.substr(pattern.size() - anyExtension.size()) == anyExtension &&
           MatchGlob(pattern.substr(0, pattern.size() - anyExtension.size()), name);
}

}  // namespace dorvane::platform
