#ifndef DORVANE_PATHTEXT_H
#define DORVANE_PATHTEXT_H

// Small bridges between the companion string and the standard views the resolver
// computes with.

#include <VeskUtility/VeskString.h>

#include <string>
#include <string_view>

#include "platform/PathSplit.h"

namespace dorvane {

inline std::string_view View(const CVeskString& text) {
    return std::string_view(static_cast<const char*>(text),
                            static_cast<std::size_t>(text.GetLength()));
}

inline CVeskString ToVeskString(const std::string& text) { return CVeskString(text.c_str()); }

// The components of a companion string; the views live as long as the string is
// unchanged.
inline platform::PathParts Split(const CVeskString& path) {
    return platform::SplitPath(View(path));
}

// drive + directory: the place a path names, spelled as the caller spelled it.
inline std::string DirectoryOf(const platform::PathParts& parts) {
    std::string directory(parts.drive);
    directory.append(parts.directory);
    return directory;
}

// name + extension: the file a path names.
inline std::string FileNameOf(const platform::PathParts& parts) {
    std::string fileName(parts.name);
    fileName.append(parts.extension);
    return fileName;
}

}  // namespace dorvane

#endif
