#include <gtest/gtest.h>

#include <cstdint>

#include "platform/VersionScan.h"

namespace {

struct ScanCase {
    const char* row;
    const char* text;
    bool scanned;
    std::int32_t version;  // the value afterwards; 99 is the untouched start value
};

TEST(ScanVersion, BehavesLikeA32BitLongScan) {
    const ScanCase cases[] = {
        {"digits", "10", true, 10},
        {"zero", "0", true, 0},
        {"leading zeros", "007", true, 7},
        {"plus", "+5", true, 5},
        {"minus", "-4", true, -4},
        {"leading white space", " \t\n12", true, 12},
        {"stops at a letter", "7b", true, 7},
        {"stops at a dot", "3.bak", true, 3},
        {"letters only", "abc", false, 99},
        {"empty", "", false, 99},
        {"lone plus", "+", false, 99},
        {"lone minus", "-", false, 99},
        {"sign then space", "- 4", false, 99},
        {"space inside", "1 2", true, 1},
        {"2^31 - 1", "2147483647", true, 2147483647},
        {"2^31 wraps negative", "2147483648", true, INT32_MIN},
        {"-2^31", "-2147483648", true, INT32_MIN},
        {"2^32 - 1 is -1", "4294967295", true, -1},
        {"2^32 + 1 is 1", "4294967297", true, 1},
        {"minus 2^32 + 1", "-4294967297", true, -1},
        {"30 digits, modulo 2^32", "123456789012345678901234567890", true, 1312754386},
    };
    for (const ScanCase& c : cases) {
        std::int32_t version = 99;
        EXPECT_EQ(dorvane::platform::ScanVersion(c.text, version), c.scanned) << c.row;
        EXPECT_EQ(version, c.version) << c.row;
    }
}

}  // namespace
