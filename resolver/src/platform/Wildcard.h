#ifndef DORVANE_PLATFORM_WILDCARD_H
#define DORVANE_PLATFORM_WILDCARD_H

#include <string_view>

namespace dorvane::platform {

// Matches name against a directory-search pattern, ignoring the case of ASCII letters:
// "*" stands for any run of characters, none included, and "?" for any one character.
// A final ".*" also matches no extension at all, so "*.*" matches every name, names
// without a dot included, as directory searches have always done. Runs in time
// proportional to the product of the lengths at worst, never exponentially, whatever
// the pattern.
bool WildcardMatch(std::string_view pattern, std::string_view name);

// True when pattern matches every name ("*" or "*.*"), so that a listing can skip the
// test entry by entry.
bool WildcardMatchesAll(std::string_view pattern);

}  // namespace dorvane::platform

#endif
