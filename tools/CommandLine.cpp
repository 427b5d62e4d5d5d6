// The command line of dorvane-resolve.

#include "CommandLine.h"

#include <utility>

namespace dorvane::tool {

namespace {

Request UsageError(std::string problem) {
    Request request;
    request.mode = Request::Mode::UsageError;
    request.problem = std::move(problem);
    return request;
}

Request Only(Request::Mode mode) {
    Request request;
    request.mode = mode;
    return request;
}

}  // namespace

Request ParseCommandLine(const std::vector<std::string>& arguments) {
    Request request;
    bool demo = false;
    bool parentGiven = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool isOption = !optionsEnded && argument.size() > 1 && argument[0] == '-';
        if (!isOption) {
            request.paths.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            return Only(Request::Mode::Help);
        } else if (argument == "--version") {
            return Only(Request::Mode::Version);
        } else if (argument == "--demo") {
            demo = true;
        } else if (argument == "--parent") {
            if (i + 1 == arguments.size()) {
                return UsageError("option --parent needs a FILE");
            }
            request.parent = arguments[++i];
            parentGiven = true;
        } else if (argument.compare(0, 9, "--parent=") == 0) {
            request.parent = argument.substr(9);
            parentGiven = true;
        } else {
            return UsageError("unknown option " + argument);
        }
    }

    if (demo) {
        if (parentGiven || !request.paths.empty()) {
            return UsageError("--demo takes no parent and no paths");
        }
        return Only(Request::Mode::Demo);
    }
    if (request.paths.empty()) {
        return UsageError("no PATH given");
    }
    bool readsStandardInput = false;
    for (const std::string& path : request.paths) {
        readsStandardInput = readsStandardInput || path == "-";
    }
    if (readsStandardInput) {
        if (request.paths.size() != 1) {
            return UsageError("\"-\" must be the only PATH");
        }
        request.paths.clear();
        request.mode = Request::Mode::ResolveStandardInput;
        return request;
    }
    request.mode = Request::Mode::Resolve;
    return request;
}

const char* UsageLine() {
    return "usage: dorvane-resolve [--parent FILE] (PATH... | -) | --demo | --help | --version";
}

const char* HelpText() {
    return "usage: dorvane-resolve [--parent FILE] PATH...\n"
           "       dorvane-resolve [--parent FILE] -\n"
           "       dorvane-resolve --demo | --help | --version\n"
           "\n"
           "Prints, for each PATH that may have gone stale, the path of the file that\n"
           "exists for it, one a line, in the order given. A PATH is looked for in its own\n"
           "directory, the parent file's directory, the current directory, and then every\n"
           "directory below the parent's (or else the PATH's own) directory. In each place\n"
           "the file itself and its numbered versions count, names compared without regard\n"
           "to case, and the highest version wins: table.dat.3 beats table.dat.1 and\n"
           "table.dat.\n"
           "\n"
           "  --parent FILE  the parent file, in whose directory names are resolved\n"
           "  -              read the PATHs from standard input, one a line; blank lines\n"
           "                 are skipped\n"
           "  --             end of options: what follows is a PATH even if it begins with -\n"
           "  --demo         resolve a few stale paths in a temporary folder, showing each\n"
           "                 request, its parent and its result, and remove the folder again\n"
           "  --help         show this text\n"
           "  --version      show the version\n"
           "\n"
           "Every PATH that cannot be resolved is reported as \"not found: PATH\" on standard\n"
           "error. Exit status: 0 when every PATH was resolved, 1 when some were not (or the\n"
           "results could not be written), 2 for a usage error.\n";
}

}  // namespace dorvane::tool
