// Faults a real disk cannot be made to produce on demand, through a stand-in file
// system that wraps the native one.

#include <Dorvane/Dorvane.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "TempTree.h"
#include "platform/Platform.h"

namespace {

using dorvane::platform::DirectoryListing;
using dorvane::platform::FileSystem;
using dorvane::test::TempTree;

class FaultyFileSystem final : public FileSystem {
public:
    bool ListDirectory(std::string_view directory, std::string_view namePattern,
                       DirectoryListing& listing,
                       const dorvane::platform::EntryFilter* filter) override {
        if (vanishing.count(std::string(directory)) != 0) {
            listing.Clear();
            return false;
        }
        return native.ListDirectory(directory, namePattern, listing, filter);
    }
    bool CanOpenForReading(std::string_view path) override {
        return lockedFiles.count(std::string(path)) == 0 && native.CanOpenForReading(path);
    }
    bool CurrentDirectory(std::string& directory) override {
        if (currentDirectoryFails) {
            return false;
        }
        return native.CurrentDirectory(directory);
    }

    FileSystem& native = dorvane::platform::NativeFileSystem();
    std::set<std::string> vanishing;    // directories that are gone when listed
    std::set<std::string> lockedFiles;  // held open elsewhere without read sharing
    bool currentDirectoryFails = false;
};

class Faults : public ::testing::Test {
protected:
    void SetUp() override { dorvane::platform::InstallFileSystem(&fs); }
    void TearDown() override { dorvane::platform::InstallFileSystem(nullptr); }

    bool Resolve(std::string& path, const std::string& parent = "") {
        CDorvane resolver;
        resolver.SetParentFilename(CVeskString(parent.c_str()));
        CVeskString text(path.c_str());
        const bool found = resolver.ResolveFile(text);
        path = static_cast<const char*>(text);
        return found;
    }

    FaultyFileSystem fs;
    TempTree tree;
};

TEST_F(Faults, LockedCandidatesAreIgnored) {
    tree.Files({"d/report.txt", "d/report.txt.4"});
    fs.lockedFiles.insert(tree.Dir("d") + "report.txt.4");
    std::string path = tree.Dir("d") + "report.txt";
    EXPECT_TRUE(Resolve(path));
    EXPECT_EQ(path, tree.Dir("d") + "report.txt") << "the readable, older file wins";

    fs.lockedFiles.insert(tree.Dir("d") + "report.txt");
    const std::string before = tree.Dir("d") + "report.txt";
    path = before;
    EXPECT_FALSE(Resolve(path));
    EXPECT_EQ(path, before) << "a failed call leaves the path as it was";
}

TEST_F(Faults, UnreadableCurrentDirectorySkipsOnlyThatPlace) {
    tree.File("sub/report.txt");
    fs.currentDirectoryFails = true;
    std::string path = tree.Dir() + "report.txt";
    EXPECT_TRUE(Resolve(path));
    EXPECT_EQ(path, tree.Dir("sub") + "report.txt") << "the subdirectory search still runs";
}

TEST_F(Faults, SubdirectoryThatVanishesDuringTheWalkIsPassedOver) {
    tree.Files({"base/a/inner/report.txt", "base/b/report.txt.1", "base/index.lst"});
    fs.vanishing.insert(tree.Dir("base/a"));
    std::string path = "gone/report.txt";
    EXPECT_TRUE(Resolve(path, tree.Path("base/index.lst")));
    EXPECT_EQ(path, tree.Dir("base/b") + "report.txt.1");
}

}  // namespace
