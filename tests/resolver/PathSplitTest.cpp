#include <gtest/gtest.h>

#include <string>

#include "platform/PathSplit.h"

namespace {

using dorvane::platform::PathParts;
using dorvane::platform::SplitPath;

struct SplitCase {
    const char* row;
    std::string path;
    std::string drive, directory, name, extension;
};

void ExpectSplit(const SplitCase& c, dorvane::platform::LeadByteTest isLeadByte) {
    const PathParts parts = SplitPath(c.path, isLeadByte);
    EXPECT_EQ(parts.drive, c.drive) << c.row;
    EXPECT_EQ(parts.directory, c.directory) << c.row;
    EXPECT_EQ(parts.name, c.name) << c.row;
    EXPECT_EQ(parts.extension, c.extension) << c.row;
    EXPECT_EQ(std::string(parts.drive) + std::string(parts.directory) + std::string(parts.name) +
                  std::string(parts.extension),
              c.path)
        << c.row << ": the parts give the path back";
}

TEST(SplitPath, SingleByteRules) {
    const std::string longName(300, 'n');
    const SplitCase cases[] = {
        {"empty", "", "", "", "", ""},
        {"bare name", "report.txt", "", "", "report", ".txt"},
        {"backslashes", "C:\\old\\data\\table.dat", "C:", "\\old\\data\\", "table", ".dat"},
        {"forward slashes", "/home/u/report.txt.3", "", "/home/u/", "report.txt", ".3"},
        {"mixed separators", "a\\b/c\\d.e", "", "a\\b/c\\", "d", ".e"},
        {"drive only", "C:", "C:", "", "", ""},
        {"drive relative", "C:report.txt", "C:", "", "report", ".txt"},
        {"colon not second", "ab:c.txt", "", "", "ab:c", ".txt"},
        {"trailing separator", "dir/sub/", "", "dir/sub/", "", ""},
        {"dot in directory only", "dir.d/readme", "", "dir.d/", "readme", ""},
        {"two dots", "base/..", "", "base/", ".", "."},
        {"one dot", "base/.", "", "base/", "", "."},
        {"leading dot", "base/.cache", "", "base/", "", ".cache"},
        {"trailing dot", "report.txt.", "", "", "report.txt", "."},
        {"no component cut", "d/" + longName + ".x", "", "d/", longName, ".x"},
    };
    for (const SplitCase& c : cases) {
        ExpectSplit(c, nullptr);
    }
}

// A double-byte table shaped like code page 932: bytes 0x81-0x9F and 0xE0-0xFC start a
// character, and "\" (0x5C) is a valid second byte.
bool TestLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

TEST(SplitPath, SecondByteOfADoubleByteCharacterIsNeverASeparatorOrDot) {
    const SplitCase cases[] = {
        {"trail backslash in name", "dir\\\x95\\.txt", "", "dir\\", "\x95\\", ".txt"},
        {"trail backslash ends path", "dir\\\x95\\", "", "dir\\", "\x95\\", ""},
        {"trail dot", "dir\\a\x81.b", "", "dir\\", "a\x81.b", ""},
        {"real dot after pair", "dir\\\x81.x.txt", "", "dir\\", "\x81.x", ".txt"},
        {"lead byte at the end", "dir\\a\x81", "", "dir\\", "a\x81", ""},
        {"lead byte before drive colon", "\x81:x", "", "", "\x81:x", ""},
    };
    for (const SplitCase& c : cases) {
        ExpectSplit(c, &TestLeadByte);
    }
    // Without the table the same bytes split as single bytes.
    ExpectSplit({"single byte", "dir\\\x95\\.txt", "", "dir\\\x95\\", "", ".txt"}, nullptr);
}

TEST(SplitEntryName, SplitsLikeTheEndOfAPath) {
    for (const char* name : {"report.txt.3", ".cache", "..", "README", "a:b.c", "x."}) {
        const PathParts entry = dorvane::platform::SplitEntryName(name);
        const std::string path = std::string("dir/") + name;
        const PathParts inPath = SplitPath(path);
        EXPECT_EQ(entry.name, inPath.name) << name;
        EXPECT_EQ(entry.extension, inPath.extension) << name;
        EXPECT_TRUE(entry.drive.empty() && entry.directory.empty()) << name;
    }
}

}  // namespace
