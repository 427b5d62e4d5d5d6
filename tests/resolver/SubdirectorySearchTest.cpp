// The search below the base directory, on real trees.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "DorvaneProbe.h"
#include "PosixForTests.h"
#include "TempTree.h"

namespace {

namespace fs = std::filesystem;
using dorvane::test::DorvaneProbe;
using dorvane::test::kSep;
using dorvane::test::TempTree;

// The depth-first pre-order of the directories below relative, computed from the order
// in which the file system lists each directory.
void PreOrder(const TempTree& tree, const std::string& relative, std::vector<std::string>& out) {
    for (const std::string& name : tree.ListingOrder(relative)) {
        const std::string child = relative.empty() ? name : relative + "/" + name;
        if (fs::is_directory(tree.Root() / child)) {
            out.push_back(tree.Dir(child));
            PreOrder(tree, child, out);
        }
    }
}

std::vector<std::string> Generate(DorvaneProbe& probe, const std::string& directory,
                                  bool* added = nullptr) {
    const bool result = probe.GenerateSubdirectoriesList(CVeskString(directory.c_str()));
    if (added != nullptr) {
        *added = result;
    }
    return probe.Subdirectories();
}

TEST(GenerateSubdirectoriesList, ListsTheTreeInDepthFirstPreOrder) {
    TempTree tree;
    for (const char* d : {"a/x/deep", "a/y", "b", "c/z", "docs.old/inner", ".cache", "e f"}) {
        tree.Directory(d);
    }
    tree.Files({"a/file.txt", "c/z/file", "top.txt"});
    std::vector<std::string> expected;
    PreOrder(tree, "", expected);
    ASSERT_EQ(expected.size(), 11u);

    DorvaneProbe probe;
    bool added = false;
    EXPECT_EQ(Generate(probe, tree.Dir(), &added), expected);
    EXPECT_TRUE(added);
    // docs.old and .cache are listed with their whole names.
    EXPECT_NE(std::find(expected.begin(), expected.end(), tree.Dir("docs.old")), expected.end());
    EXPECT_NE(std::find(expected.begin(), expected.end(), tree.Dir(".cache")), expected.end());
}

TEST(GenerateSubdirectoriesList, AddsToTheListAndReportsOnlyItsOwnLevel) {
    TempTree tree;
    tree.Directory("leaf");
    tree.File("leaf/file.txt");
    tree.Directory("one/two");
    DorvaneProbe probe;
    bool added = true;
    EXPECT_TRUE(Generate(probe, tree.Dir("leaf"), &added).empty());
    EXPECT_FALSE(added) << "a directory without subdirectories adds nothing";
    EXPECT_TRUE(Generate(probe, "", &added).empty());
    EXPECT_FALSE(added) << "an empty directory argument";
    EXPECT_TRUE(Generate(probe, tree.Dir("missing"), &added).empty());
    EXPECT_FALSE(added) << "a directory that cannot be listed";

    probe.AddSubdirectory("left over/");
    EXPECT_EQ(Generate(probe, tree.Dir("one"), &added),
              (std::vector<std::string>{"left over/", tree.Dir("one/two")}))
        << "the list is not emptied first";
    EXPECT_TRUE(added);
}

TEST(GenerateSubdirectoriesList, DriveOnlyDirectoryListsInThatDrivesForm) {
    // "C:" names the current directory of drive C; its subdirectories are spelled "C:sub"
    // followed by a separator. On Windows the tree's own drive serves; on POSIX the
    // prefix is the start of a relative name.
    TempTree tree;
#if defined(_WIN32)
    const std::string drive = tree.Root().string().substr(0, 2);
    tree.Directory("sub/deeper");
#else
    const std::string drive = "C:";
    tree.Directory("C:sub/deeper");
#endif
    const dorvane::test::ScopedCurrentDirectory inside(tree.Root());
    DorvaneProbe probe;
    const std::string sub = drive + "sub" + kSep;
    EXPECT_EQ(Generate(probe, drive), (std::vector<std::string>{sub, sub + "deeper" + kSep}));
}

TEST(DetermineFileInSubdirectories, FirstSubdirectoryThatHoldsTheFileWins) {
    TempTree tree;
    tree.Directory("base/a/x");
    tree.Directory("base/b");
    tree.Files({"base/index.lst", "base/report.txt.9"});
    std::vector<std::string> order;
    PreOrder(tree, "base", order);
    // The copy in the earlier of a/x and b wins, although the other has a higher version.
    const bool axFirst = order[0] == tree.Dir("base/a");
    tree.Files({"base/a/x/report.txt.1", "base/b/report.txt.5"});
    const std::string expected =
        axFirst ? tree.Dir("base/a/x") + "report.txt.1" : tree.Dir("base/b") + "report.txt.5";

    DorvaneProbe probe;
    probe.SetParentFilename(CVeskString(tree.Path("base/index.lst").c_str()));
    CVeskString path("somewhere/else/report.txt");
    EXPECT_TRUE(probe.DetermineFileInSubdirectories(path));
    EXPECT_EQ(std::string(path), expected);
    EXPECT_EQ(probe.GetNumberSubdirectories(), 0);
}

TEST(DetermineFileInSubdirectories, BaseChoiceAndQuietFailures) {
    TempTree tree;
    tree.Files({"base/report.txt", "base/sub/table.dat", "index.lst"});
    DorvaneProbe probe;
    const auto search = [&](const std::string& request, const std::string& parent) {
        probe.SetParentFilename(CVeskString(parent.c_str()));
        CVeskString path(request.c_str());
        const bool found = probe.DetermineFileInSubdirectories(path);
        EXPECT_EQ(probe.GetNumberSubdirectories(), 0) << request;
        return found ? std::string(path) : "not found, left as " + std::string(path);
    };
    EXPECT_EQ(search(tree.Path("base/report.txt"), ""),
              "not found, left as " + tree.Path("base/report.txt"))
        << "a file directly in the base is not found here";
    EXPECT_EQ(search(tree.Path("base/table.dat"), ""), tree.Dir("base/sub") + "table.dat")
        << "without a parent the request's directory is the base";
    EXPECT_EQ(search("elsewhere/table.dat", tree.Path("base/index.lst")),
              tree.Dir("base/sub") + "table.dat")
        << "the parent's directory is the base";
    const dorvane::test::ScopedCurrentDirectory inside(tree.Root());
    EXPECT_EQ(search(tree.Path("base/table.dat"), "index.lst"),
              "not found, left as " + tree.Path("base/table.dat"))
        << "a parent without drive or directory gives an empty base";
    EXPECT_EQ(search("", ""), "not found, left as ");
}

TEST(DetermineFileInSubdirectories, LeftoversAreWalkedWhenTheWalkAddsAndKeptWhenNot) {
    TempTree tree;
    tree.Files({"other/report.txt.3", "base/sub/unrelated", "leaf/index.lst"});
    DorvaneProbe probe;
    probe.AddSubdirectory(tree.Dir("other"));
    probe.SetParentFilename(CVeskString(tree.Path("base/index.lst").c_str()));
    CVeskString path("report.txt");
    EXPECT_TRUE(probe.DetermineFileInSubdirectories(path)) << "the leftover is walked first";
    EXPECT_EQ(std::string(path), tree.Dir("other") + "report.txt.3");
    EXPECT_EQ(probe.GetNumberSubdirectories(), 0);

    probe.AddSubdirectory(tree.Dir("other"));
    probe.SetParentFilename(CVeskString(tree.Path("leaf/index.lst").c_str()));
    path = "report.txt";
    EXPECT_FALSE(probe.DetermineFileInSubdirectories(path)) << "no walk without new entries";
    EXPECT_EQ(probe.Subdirectories(), std::vector<std::string>{tree.Dir("other")});
}

TEST(DirectoryIsDots, OnlyTheTwoDotEntries) {
    DorvaneProbe probe;
    EXPECT_TRUE(probe.DirectoryIsDots(CVeskString(".")));
    EXPECT_TRUE(probe.DirectoryIsDots(CVeskString("..")));
    for (const char* name : {"", "...", ".cache", "a.", " .", "./"}) {
        EXPECT_FALSE(probe.DirectoryIsDots(CVeskString(name))) << "'" << name << "'";
    }
}

#if !defined(_WIN32)

TEST(DetermineFileInSubdirectories, LinkCyclesEndAndTheFileIsFound) {
    TempTree tree;
    tree.Files({"base/index.lst", "base/a/keep", "base/b/deeper/report.txt.2"});
    fs::create_directory_symlink(tree.Root() / "base", tree.Root() / "base/a/to-base");
    fs::create_directory_symlink(tree.Root() / "base/b", tree.Root() / "base/a/to-b");

    DorvaneProbe probe;
    probe.GenerateSubdirectoriesList(CVeskString(tree.Dir("base").c_str()));
    const std::vector<std::string> listed = probe.Subdirectories();
    EXPECT_EQ(listed.size(), 3u) << "a, b and deeper once each, under whichever path came first";
    probe.ClearSubdirectoriesList();

    const auto resolution = dorvane::test::Resolve("report.txt", tree.Path("base/index.lst"));
    EXPECT_TRUE(resolution.found);
    EXPECT_EQ(fs::canonical(resolution.path),
              fs::canonical(tree.Path("base/b/deeper/report.txt.2")));
}

TEST(DetermineFileInSubdirectories, DeepTreeOnASmallStackWithFewDescriptors) {
    TempTree tree;
    std::string deep = "base";
    for (int level = 0; level < 1500; ++level) {
        deep += "/d";
    }
    // Directories one level at a time, relative to the last one, since the whole path
    // is longer than the system accepts in one call.
    {
        const dorvane::test::ScopedCurrentDirectory inside(tree.Root());
        fs::create_directory("base");
        fs::current_path("base");
        for (int level = 0; level < 1500; ++level) {
            fs::create_directory("d");
            fs::current_path("d");
        }
        std::ofstream("report.txt.4") << "deep\n";
    }
    const std::string parent = tree.Path("index.lst");
    tree.File("index.lst");
    const dorvane::test::ScopedDescriptorLimit fewDescriptors(64);
    bool found = false;
    std::size_t length = 0;
    EXPECT_TRUE(dorvane::test::RunOnSmallStack(256 * 1024, [&] {
        CDorvane resolver;
        resolver.SetParentFilename(CVeskString(parent.c_str()));
        CVeskString path("report.txt");
        found = resolver.ResolveFile(path);
        length = static_cast<std::size_t>(path.GetLength());
        return found;
    }));
    EXPECT_TRUE(found);
    EXPECT_EQ(length, tree.Dir(deep).size() + std::string("report.txt.4").size());
}

TEST(DetermineFileInSubdirectories, UnreadableSubdirectoryIsSkippedWhileSiblingsAreSearched) {
    TempTree tree;
    tree.Files(
        {"base/index.lst", "base/a/report.txt.9", "base/b/report.txt.1", "base/c/report.txt.2"});
    std::vector<std::string> order;
    PreOrder(tree, "base", order);
    fs::permissions(tree.Root() / "base/a", fs::perms::none);
    // The first readable sibling in listing order holds the winner.
    const std::string first = order[0] == tree.Dir("base/a") ? order[1] : order[0];
    const std::string expected =
        first + (first == tree.Dir("base/b") ? "report.txt.1" : "report.txt.2");
    const std::string base = tree.Dir("base");
    const std::string unreadable = tree.Dir("base/a");
    const std::string parent = tree.Path("base/index.lst");
    EXPECT_TRUE(dorvane::test::RunUnprivileged([&] {
        DorvaneProbe probe;
        probe.GenerateSubdirectoriesList(CVeskString(base.c_str()));
        const std::vector<std::string> listed = probe.Subdirectories();
        const bool kept = std::find(listed.begin(), listed.end(), unreadable) != listed.end();
        const auto resolution = dorvane::test::Resolve("report.txt", parent);
        return kept && listed.size() == 3 && resolution.found && resolution.path == expected;
    }));
}

#endif

}  // namespace
