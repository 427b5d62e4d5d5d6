#include <gtest/gtest.h>

#include <string>

#include "platform/Wildcard.h"

namespace {

struct MatchCase {
    const char* row;
    const char* pattern;
    const char* name;
    bool matches;
};

TEST(WildcardMatch, DirectorySearchPatterns) {
    const MatchCase cases[] = {
        {"all, dotted", "*.*", "report.txt", true},
        {"all, no dot", "*.*", "README", true},
        {"all, dot entries", "*.*", "..", true},
        {"extension inside", "*.txt*", "report.txt.3", true},
        {"extension at the end", "*.txt*", "report.txt", true},
        {"extension in the middle", "*.txt*", "a.txt.3.bak", true},
        {"extension missing", "*.txt*", "report.doc", false},
        {"case ignored", "*.TXT*", "Report.txt.3", true},
        {"case of bytes beyond ascii kept", "*.\xc4*", "x.\xe4", false},
        {"question mark", "r?port", "report", true},
        {"question mark needs a character", "report?", "report", false},
        {"literal star in a name", "*.t*t*", "a.t*t", true},
        {"final dot-star may be absent", "notes.*", "notes", true},
        {"prefix with final dot-star", "base*.*", "baseline", true},
        {"prefix missing", "base*.*", "other", false},
        {"empty pattern", "", "x", false},
        {"empty name", "*", "", true},
    };
    for (const MatchCase& c : cases) {
        EXPECT_EQ(dorvane::platform::WildcardMatch(c.pattern, c.name), c.matches) << c.row;
    }
}

TEST(WildcardMatch, ManyStarsStayLinear) {
    // A pattern that makes naive backtracking exponential.
    const std::string pattern = "*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b";
    EXPECT_FALSE(dorvane::platform::WildcardMatch(pattern, std::string(5000, 'a')));
}

}  // namespace
