// What only Windows can show: sharing modes and device names, drives and their current
// directories, upper-casing that follows the ANSI code page, and directory links.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "DorvaneProbe.h"
#include "TempTree.h"
#include "WindowsForTests.h"

namespace {

namespace fs = std::filesystem;
using dorvane::test::DorvaneProbe;
using dorvane::test::Lookup;
using dorvane::test::Resolve;
using dorvane::test::ScopedCurrentDirectory;
using dorvane::test::TempTree;

// The drive of the tree's root, "C:".
std::string DriveOf(const TempTree& tree) {
    const std::string root = tree.Root().string();
    return root.size() >= 2 && root[1] == ':' ? root.substr(0, 2) : std::string();
}

// Creates a file through the runtime's narrow open, so that its name is spelt in the
// ANSI code page byte for byte.
bool CreateNarrowFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        return false;
    }
    std::fputs("x\n", file);
    return std::fclose(file) == 0;
}

TEST(WindowsOpen, CandidateHeldWithoutReadSharingIsIgnored) {
    TempTree tree;
    tree.Files({"d/report.txt", "d/report.txt.4", "only/report.txt.2"});
    const ScopedCurrentDirectory inside(tree.Root());
    const std::string request = tree.Dir("d") + "report.txt";
    {
        const dorvane::test::ScopedUnsharedOpen lock(tree.Dir("d") + "report.txt.4");
        ASSERT_TRUE(lock.IsOpen());
        const auto resolution = Resolve(request);
        EXPECT_TRUE(resolution.found);
        EXPECT_EQ(resolution.path, tree.Dir("d") + "report.txt") << "the older, readable file";
    }
    EXPECT_EQ(Resolve(request).path, tree.Dir("d") + "report.txt.4") << "readable again";

    const std::string onlyMatch = tree.Dir("only") + "report.txt";
    const dorvane::test::ScopedUnsharedOpen lock(tree.Dir("only") + "report.txt.2");
    ASSERT_TRUE(lock.IsOpen());
    const auto resolution = Resolve(onlyMatch);
    EXPECT_FALSE(resolution.found);
    EXPECT_EQ(resolution.path, onlyMatch) << "a failed call leaves the path as it was";
    DorvaneProbe probe;
    EXPECT_FALSE(probe.FileExists(CVeskString((tree.Dir("only") + "report.txt.2").c_str())));
}

TEST(WindowsOpen, DeviceNamesAreNoReadableFiles) {
    TempTree tree;
    tree.File("d/report.txt");
    DorvaneProbe probe;
    EXPECT_TRUE(probe.FileExists(CVeskString((tree.Dir("d") + "report.txt").c_str())));
    for (const std::string& device : {std::string("NUL"), tree.Dir("d") + "NUL"}) {
        EXPECT_FALSE(probe.FileExists(CVeskString(device.c_str()))) << device;
    }
}

TEST(WindowsDrives, DriveRelativeRequestLooksInThatDrivesCurrentDirectory) {
    // "Z:report.txt" names report.txt in the current directory of drive Z; the tree's own
    // drive serves, with the current directory in the tree and other versions elsewhere
    // on the drive.
    TempTree tree;
    tree.Files({"cwd/report.txt", "cwd/report.txt.3", "report.txt.9", "cwd/sub/report.txt.7"});
    const std::string drive = DriveOf(tree);
    ASSERT_FALSE(drive.empty()) << tree.Root();
    const ScopedCurrentDirectory inside(tree.Root() / "cwd");
    DorvaneProbe probe;
    EXPECT_EQ(Lookup(probe, drive + "report.txt"), drive + "report.txt.3");
    const auto resolution = Resolve(drive + "report.txt");
    EXPECT_TRUE(resolution.found);
    EXPECT_EQ(resolution.path, drive + "report.txt.3");
}

TEST(WindowsDrives, ParentWithADriveAndNoDirectoryMeansThatDrivesRoot) {
    // Place 2 for the parent "C:index.lst" looks in "C:\", not in C's current directory.
    TempTree tree;
    tree.Files({"cwd/placeholder", "cwd/index.lst"});
    const std::string name = tree.Root().filename().string() + ".dat";
    const std::string atRoot = std::string("C:\\") + name;
    if (!CreateNarrowFile(atRoot)) {
        GTEST_SKIP() << "cannot create " << atRoot;
    }
    struct RemoveAtEnd {
        std::string path;
        ~RemoveAtEnd() { std::remove(path.c_str()); }
    } removeAtEnd{atRoot};
    CreateNarrowFile(tree.Dir("cwd") + name + ".5");  // newer, where place 2 must not look
    const ScopedCurrentDirectory inside(tree.Root() / "cwd");
    const auto resolution = Resolve(tree.Dir("gone") + name, "C:index.lst");
    EXPECT_TRUE(resolution.found);
    EXPECT_EQ(resolution.path, atRoot);
}

TEST(WindowsCodePage, NamesDifferingInTheCaseOfCodePageLettersMatch) {
    if (dorvane::test::AnsiCodePage() != 1252) {
        GTEST_SKIP() << "the names are spelt in code page 1252, not "
                     << dorvane::test::AnsiCodePage();
    }
    struct Row {
        const char* row;
        std::string onDisk;
        std::string request;
        bool matches;
    };
    const Row rows[] = {
        {"upper on disk, lower asked", "\xC4RGER.TXT", "\xE4rger.txt", true},
        {"lower on disk, upper asked", "\xE9t\xE9.doc", "\xC9T\xC9.DOC", true},
        {"a letter of the extension", "notes.\xC4NDERUNG", "notes.\xE4nderung", true},
        {"a version of it", "\xD6L.txt.4", "\xF6l.txt", true},
        {"another letter", "\xD6RGER.TXT", "\xE4rger.txt", false},
    };
    for (const Row& r : rows) {
        TempTree tree;
        tree.Directory("d");
        ASSERT_TRUE(CreateNarrowFile(tree.Dir("d") + r.onDisk)) << r.row;
        DorvaneProbe probe;
        EXPECT_EQ(Lookup(probe, tree.Dir("d") + r.request),
                  r.matches ? tree.Dir("d") + r.onDisk : std::string())
            << r.row;
    }
}

// The base of a tree whose directory links form cycles: base\index.lst, base\a\keep,
// base\b\deeper\report.txt.2, and in base\a the links to-base and to-b. Under Wine, which
// cannot make links, the build lays it out natively and names it in DORVANE_LINKED_TREE;
// elsewhere the test makes it, when the system lets it make links.
std::string LinkedTreeBase(const TempTree& tree) {
    if (const char* prepared = std::getenv("DORVANE_LINKED_TREE")) {
        return std::string(prepared) + "\\base\\";
    }
    tree.Files({"base/index.lst", "base/a/keep", "base/b/deeper/report.txt.2"});
    std::error_code error;
    fs::create_directory_symlink(tree.Root() / "base", tree.Root() / "base/a/to-base", error);
    if (!error) {
        fs::create_directory_symlink(tree.Root() / "base/b", tree.Root() / "base/a/to-b", error);
    }
    return error ? std::string() : tree.Dir("base");
}

TEST(WindowsLinks, CyclesThroughDirectoryLinksEndAndTheFileIsFound) {
    TempTree tree;
    const std::string base = LinkedTreeBase(tree);
    if (base.empty()) {
        GTEST_SKIP() << "this system makes no directory links";
    }
    DorvaneProbe probe;
    probe.GenerateSubdirectoriesList(CVeskString(base.c_str()));
    EXPECT_EQ(probe.Subdirectories().size(), 3u)
        << "a, b and deeper once each, under whichever path came first";
    probe.ClearSubdirectoriesList();

    const auto resolution = Resolve("report.txt", base + "index.lst");
    EXPECT_TRUE(resolution.found);
    EXPECT_TRUE(fs::equivalent(resolution.path, base + "b\\deeper\\report.txt.2"))
        << resolution.path;
}

}  // namespace
