#ifndef DORVANE_TOOLS_RESOLVEPATHS_H
#define DORVANE_TOOLS_RESOLVEPATHS_H

#include <cstdio>
#include <istream>
#include <string>
#include <vector>

namespace dorvane::tool {

// Where the results go: each resolved path as a line on found, "not found: PATH" as a
// line on missing.
struct ResultStreams {
    std::FILE* found;
    std::FILE* missing;
};

// Resolves each path with one resolver, beside parent (empty: none), and reports it.
// Returns the exit status: 0 when every path resolved, 1 otherwise or when the results
// could not be written.
int ResolvePaths(const std::vector<std::string>& paths, const std::string& parent,
                 ResultStreams streams);

// The same for the lines of input: one path a line, a carriage return before the line
// end dropped, blank lines skipped. A line that holds a zero byte names no file and is
// reported as not found.
int ResolveLines(std::istream& input, const std::string& parent, ResultStreams streams);

}  // namespace dorvane::tool

#endif
