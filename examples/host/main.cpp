// resolve-one PATH [PARENT]: prints where PATH is found, resolved beside PARENT.
#include <Dorvane/Dorvane.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: resolve-one PATH [PARENT]\n");
        return 2;
    }
    CDorvane resolver;
    if (argc == 3) {
        resolver.SetParentFilename(argv[2]);
    }
    CVeskString path(argv[1]);
    if (!resolver.ResolveFile(path)) {
        std::fprintf(stderr, "not found: %s\n", argv[1]);
        return 1;
    }
    std::printf("%s\n", static_cast<const char*>(path));
    return 0;
}
