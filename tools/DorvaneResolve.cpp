// dorvane-resolve: resolves stale file paths from the command line or standard input,
// a host program built on nothing but the public class CDorvane.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Demo.h"
#include "ResolvePaths.h"

using dorvane::tool::Request;

int main(int argc, char** argv) {
    const Request request =
        dorvane::tool::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    const dorvane::tool::ResultStreams streams{stdout, stderr};
    switch (request.mode) {
        case Request::Mode::Resolve:
            return dorvane::tool::ResolvePaths(request.paths, request.parent, streams);
        case Request::Mode::ResolveStandardInput:
            std::ios::sync_with_stdio(false);
            return dorvane::tool::ResolveLines(std::cin, request.parent, streams);
        case Request::Mode::Demo:
            return dorvane::tool::RunDemo(stdout, stderr);
        case Request::Mode::Help:
            std::fputs(dorvane::tool::HelpText(), stdout);
            return 0;
        case Request::Mode::Version:
            std::printf("dorvane-resolve %s\n", DORVANE_VERSION);
            return 0;
        case Request::Mode::UsageError:
            break;
    }
    std::fprintf(stderr, "dorvane-resolve: %s\n%s\n", request.problem.c_str(),
                 dorvane::tool::UsageLine());
    return 2;
}
