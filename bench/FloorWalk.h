#ifndef DORVANE_BENCH_FLOORWALK_H
#define DORVANE_BENCH_FLOORWALK_H

#include <cstdint>
#include <string>

namespace dorvane::bench {

struct FloorCount {
    std::uint64_t directories = 0;
    std::uint64_t entries = 0;
};

// The least a walk of a tree can do on Linux, and the yardstick of the benchmarks: every
// directory below root (root included) is opened by its path, read with getdents64 into
// one 64 KiB buffer until the end, and closed; subdirectories are told by d_type alone,
// with no stat at all. root ends in "/".
FloorCount FloorWalk(const std::string& root);

}  // namespace dorvane::bench

#endif
