// dorvane-floor DIRECTORY...: one floor walk of each directory, and what it saw.

#include <cstdio>
#include <string>

#include "FloorWalk.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: dorvane-floor DIRECTORY...\n");
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        std::string root = argv[i];
        if (root.back() != '/') {
            root += '/';
        }
        const dorvane::bench::FloorCount count = dorvane::bench::FloorWalk(root);
        std::printf("%s: %llu directories, %llu entries\n", argv[i],
                    static_cast<unsigned long long>(count.directories),
                    static_cast<unsigned long long>(count.entries));
    }
    return 0;
}
