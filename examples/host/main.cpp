// resolve-one PATH [PARENT]: prints where PATH is found, resolved beside PARENT.
#include <Dorvane/Dorvane.h>

#include <cstdio>

int main(int argc, char** argv) {
    CDorvane resolver;
    if (argc > 2) {
        resolver.SetParentFilename(argv[2]);
    }
    CVeskString path(argc > 1 ? argv[1] : "");
    if (!resolver.ResolveFile(path)) {
        std::fprintf(stderr, "not found: %s\n", static_cast<const char*>(path));
        return 1;
    }
    std::printf("%s\n", static_cast<const char*>(path));
}
