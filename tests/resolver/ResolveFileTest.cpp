// The order of places that ResolveFile tries, on real directories.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "DorvaneProbe.h"
#include "PosixForTests.h"
#include "TempTree.h"

namespace {

namespace fs = std::filesystem;
using dorvane::test::kSep;
using dorvane::test::Resolve;
using dorvane::test::ScopedCurrentDirectory;
using dorvane::test::TempTree;

TEST(ResolveFile, TheTraceFromStaleDirectoryToTheParentsNewestVersion) {
    TempTree tree;
    tree.Files({"proj/index.lst", "proj/table.dat.1", "proj/table.dat.3", "proj/other.dat"});
    const auto resolution = Resolve(tree.Path("old/data/table.dat"), tree.Path("proj/index.lst"));
    EXPECT_TRUE(resolution.found);
    EXPECT_EQ(resolution.path, tree.Dir("proj") + "table.dat.3");
}

TEST(ResolveFile, PlacesAreTriedInOrder) {
    // Each row puts the file in some of the places; the earliest of them must win.
    struct Row {
        const char* row;
        std::vector<std::string> files;
        std::string expected;  // relative to the tree
    };
    const Row rows[] = {
        {"own directory before parent's",
         {"own/report.txt", "proj/report.txt.9", "cwd/report.txt.9", "proj/sub/report.txt.9"},
         "own/report.txt"},
        {"parent's before current",
         {"proj/report.txt.1", "cwd/report.txt.9", "proj/sub/report.txt.9"},
         "proj/report.txt.1"},
        {"current before subdirectories",
         {"cwd/report.txt", "proj/sub/report.txt.9"},
         "cwd/report.txt"},
        {"subdirectories of the parent last", {"proj/sub/report.txt.2"}, "proj/sub/report.txt.2"},
    };
    for (const Row& r : rows) {
        TempTree tree;
        tree.Files(r.files);
        tree.Files({"proj/index.lst", "own/placeholder", "cwd/placeholder"});
        const ScopedCurrentDirectory inside(tree.Root() / "cwd");
        const auto resolution = Resolve(tree.Path("own/report.txt"), tree.Path("proj/index.lst"));
        EXPECT_TRUE(resolution.found) << r.row;
        const fs::path expected = fs::path(r.expected).make_preferred();
        EXPECT_EQ(resolution.path,
                  tree.Dir(expected.parent_path().string()) + expected.filename().string())
            << r.row;
    }
}

TEST(ResolveFile, ExistingFileResolvesToAGreaterVersionBesideIt) {
    TempTree tree;
    tree.Files({"d/archive.7z", "d/archive.7z.3", "d/report.txt", "d/report.txt.1"});
    EXPECT_EQ(Resolve(tree.Path("d/report.txt")).path, tree.Dir("d") + "report.txt.1");
    EXPECT_EQ(Resolve(tree.Path("d/archive.7z")).path, tree.Dir("d") + "archive.7z")
        << "archive.7z is version 7 and stays";
}

TEST(ResolveFile, BareNameIsFoundInTheCurrentDirectory) {
    TempTree tree;
    tree.Files({"report.txt", "report.txt.2"});
    const ScopedCurrentDirectory inside(tree.Root());
    const auto resolution = Resolve("REPORT.TXT");
    EXPECT_TRUE(resolution.found);
    EXPECT_EQ(resolution.path, tree.Root().string() + kSep + "report.txt.2");
}

TEST(ResolveFile, FailuresLeaveThePathExactlyAsItWas) {
    TempTree tree;
    tree.Files({"proj/index.lst", "proj/sub/other.dat"});
    const ScopedCurrentDirectory inside(tree.Root());
    for (const std::string& request :
         {std::string("nowhere.dat"), std::string("gone/dir/nowhere.dat"),
          tree.Path("proj/nowhere.dat"), std::string("..\\..//x/./nowhere.dat"),
          std::string("C:\\old\\data\\")}) {
        for (const std::string& parent : {std::string(), tree.Path("proj/index.lst")}) {
            const auto resolution = Resolve(request, parent);
            EXPECT_FALSE(resolution.found) << request << " with parent '" << parent << "'";
            EXPECT_EQ(resolution.path, request);
        }
    }
    EXPECT_FALSE(Resolve("").found);
    EXPECT_EQ(Resolve("").path, "");
}

TEST(ResolveFile, LongCurrentDirectoryIsUsedWhole) {
#if defined(_WIN32)
    // The ANSI file calls of Windows take paths of at most MAX_PATH (260) characters; the
    // directory is as long as that leaves beside the temporary root.
    constexpr std::size_t kLength = 150;
    constexpr std::size_t kSegment = 50;
#else
    constexpr std::size_t kLength = 700;  // beyond a buffer of 512 characters
    constexpr std::size_t kSegment = 100;
#endif
    TempTree tree;
    std::string deep;
    while (deep.size() < kLength) {
        deep += std::string(kSegment, 'd') + "/";
    }
    tree.File(deep + "report.txt.2");
    const fs::path directory = tree.Root() / fs::path(deep).make_preferred();
    const ScopedCurrentDirectory inside(directory);
    const auto resolution = Resolve("report.txt");
    EXPECT_TRUE(resolution.found);
    EXPECT_GT(resolution.path.size(), kLength);
    EXPECT_EQ(resolution.path, tree.Dir(deep) + "report.txt.2");
}

#if !defined(_WIN32)

TEST(ResolveFile, VanishedCurrentDirectoryIsSkipped) {
    TempTree tree;
    tree.Files({"proj/index.lst", "proj/sub/report.txt"});
    tree.Directory("doomed");
    const ScopedCurrentDirectory inside(tree.Root() / "doomed");
    fs::remove(tree.Root() / "doomed");
    const auto resolution = Resolve("report.txt", tree.Path("proj/index.lst"));
    EXPECT_TRUE(resolution.found) << "the places after it are still tried";
    EXPECT_EQ(resolution.path, tree.Dir("proj/sub") + "report.txt");
    EXPECT_FALSE(Resolve("report.txt").found);
}

TEST(ResolveFile, UnreadableMatchesLeaveThePathAlone) {
    TempTree tree;
    tree.Files({"d/report.txt.3", "proj/index.lst", "proj/report.txt"});
    fs::permissions(tree.Path("d/report.txt.3"), fs::perms::none);
    fs::permissions(tree.Path("proj/report.txt"), fs::perms::none);
    const std::string request = tree.Path("d/report.txt");
    const std::string parent = tree.Path("proj/index.lst");
    EXPECT_TRUE(dorvane::test::RunUnprivileged([&] {
        const auto resolution = Resolve(request, parent);
        return !resolution.found && resolution.path == request;
    }));
}

#endif

}  // namespace
