#ifndef DORVANE_TOOLS_DEMO_H
#define DORVANE_TOOLS_DEMO_H

#include <cstdio>

namespace dorvane::tool {

// Builds a small project in a temporary folder, resolves three stale paths in it (one
// beside the parent, one only below it, one nowhere) showing request, parent and result
// on out, and removes the folder again. Returns the exit status: 0 when every result
// was the expected one, 1 otherwise or when the folder could not be built.
int RunDemo(std::FILE* out, std::FILE* err);

}  // namespace dorvane::tool

#endif
