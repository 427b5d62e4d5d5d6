#ifndef DORVANE_TOOLS_COMMANDLINE_H
#define DORVANE_TOOLS_COMMANDLINE_H

#include <string>
#include <vector>

namespace dorvane::tool {

// What one run of dorvane-resolve was asked to do.
struct Request {
    enum class Mode { Resolve, ResolveStandardInput, Demo, Help, Version, UsageError };
    Mode mode = Mode::UsageError;
    std::string parent;              // empty: no parent file
    std::vector<std::string> paths;  // Mode::Resolve only, in the order given
    std::string problem;             // Mode::UsageError only: what was wrong, one line
};

// Reads the arguments after the program name. Options and paths may mix; "--" ends the
// options, so that a path may begin with "-". "-" as the only path means standard input.
Request ParseCommandLine(const std::vector<std::string>& arguments);

// The one-line usage text, without a line end.
const char* UsageLine();
// The whole --help text, ending in a line end.
const char* HelpText();

}  // namespace dorvane::tool

#endif
