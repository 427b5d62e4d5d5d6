#ifndef DORVANE_PLATFORM_PATHSPLIT_H
#define DORVANE_PLATFORM_PATHSPLIT_H

#include <string_view>

namespace dorvane::platform {

// The four components of a path. Each is a view into the text that was split, and
// together, in this order, they are that text again.
struct PathParts {
    std::string_view drive;      // "C:" when the second character is a colon, else empty
    std::string_view directory;  // up to and including the last separator, else empty
    std::string_view name;       // between directory and extension
    std::string_view extension;  // from the last dot after the directory, else empty
};

// Tells whether a byte starts a double-byte character, whose second byte is then never
// read as a separator, a dot or a colon.
using LeadByteTest = bool (*)(unsigned char byte);

// Both "\" and "/" separate components in the paths the resolver receives.
constexpr bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Splits path into drive, directory, name and extension. Nothing is cut: a component
// may be of any length. A null isLeadByte means a single-byte character set.
PathParts SplitPath(std::string_view path, LeadByteTest isLeadByte);

// SplitPath with the platform's own lead-byte test.
PathParts SplitPath(std::string_view path);

// Splits a directory entry's own name (it has no drive and no directory) into the name
// and the extension, the way SplitPath splits the end of a path that holds it.
PathParts SplitEntryName(std::string_view entryName);

}  // namespace dorvane::platform

#endif
