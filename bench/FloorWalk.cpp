#if !defined(_GNU_SOURCE)
#define _GNU_SOURCE 1  // getdents64
#endif

#include "FloorWalk.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <vector>

namespace dorvane::bench {

namespace {

bool IsDots(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

}  // namespace

FloorCount FloorWalk(const std::string& root) {
    constexpr std::size_t kBufferSize = 64 * 1024;
    static char buffer[kBufferSize];
    FloorCount count;
    std::vector<std::string> pending{root};
    while (!pending.empty()) {
        const std::string directory = std::move(pending.back());
        pending.pop_back();
        const int descriptor = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (descriptor < 0) {
            continue;
        }
        ++count.directories;
        for (;;) {
            const ssize_t filled = getdents64(descriptor, buffer, kBufferSize);
            if (filled <= 0) {
                break;
            }
            for (ssize_t offset = 0; offset < filled;) {
                const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + offset);
                offset += entry->d_reclen;
                ++count.entries;
                if (entry->d_type == DT_DIR && !IsDots(entry->d_name)) {
                    pending.push_back(directory + entry->d_name + "/");
                }
            }
        }
        close(descriptor);
    }
    return count;
}

}  // namespace dorvane::bench
