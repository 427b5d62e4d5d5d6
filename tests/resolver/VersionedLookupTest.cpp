// The versioned lookup in one directory, through the protected member a derived class
// calls.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "DorvaneProbe.h"
#include "PosixForTests.h"
#include "TempTree.h"

namespace {

namespace fs = std::filesystem;
using dorvane::test::DorvaneProbe;
using dorvane::test::Lookup;
using dorvane::test::TempTree;

// The name among names that the directory lists first: where versions tie, the
// candidate met first wins, and the file system decides that order.
std::string FirstListed(const TempTree& tree, const std::string& directory,
                        const std::vector<std::string>& names) {
    for (const std::string& entry : tree.ListingOrder(directory)) {
        if (std::find(names.begin(), names.end(), entry) != names.end()) {
            return entry;
        }
    }
    return "<none of them listed>";
}

struct LookupCase {
    const char* row;
    std::vector<std::string> files;    // created in the directory d
    std::string request;               // a name in d
    std::vector<std::string> winners;  // the first of these in listing order wins; none: not found
};

TEST(DetermineIfFileExists, ChoosesTheHighestReadableVersion) {
    const LookupCase cases[] =
    { {"versions compare as numbers",
       {"report.txt", "report.txt.2", "report.txt.10"},
       "report.txt",
       {"report.txt.10"}},
      {"the file alone", {"report.txt"}, "report.txt", {"report.txt"}},
      {"a version alone", {"report.txt.4"}, "report.txt", {"report.txt.4"}},
      {"plain file and .0 tie",
       {"report.txt", "report.txt.0"},
       "report.txt",
       {"report.txt", "report.txt.0"}},
      {"letters count as 0, digits before letters count",
       {"report.txt.abc", "report.txt.7b"},
       "report.txt",
       {"report.txt.7b"}},
      {"letters tie with the plain file",
       {"report.txt.abc", "report.txt"},
       "report.txt",
       {"report.txt.abc", "report.txt"}},
      {"2^32 + 1 reads as 1",
       {"report.txt.4294967297", "report.txt.2"},
       "report.txt",
       {"report.txt.2"}},
      {"2^32 - 1 reads as -1",
       {"report.txt.4294967295", "report.txt"},
       "report.txt",
       {"report.txt"}},
      {"30 digits wrap",
       {"report.txt.123456789012345678901234567890", "report.txt.5"},
       "report.txt",
       {"report.txt.123456789012345678901234567890"}},
      {"all negative: the first",
       {"report.txt.-4", "report.txt.-9"},
       "report.txt",
       {"report.txt.-4", "report.txt.-9"}},
      {"own extension digits count", {"archive.7z", "archive.7z.3"}, "archive.7z", {"archive.7z"}},
      {"1st beats .0", {"readme.1st", "readme.1st.0"}, "readme.1st", {"readme.1st"}},
      {"near names are never candidates",
       {"report.txt.3.bak", "xreport.txt", "report.txtx"},
       "report.txt",
       {}},
      {"a versioned request takes its own versions only",
       {"report.txt.2", "report.txt.3", "report.txt.2.5"},
       "report.txt.2",
       {"report.txt.2.5"}},
      {"no extension: a version beats the file", {"README", "README.2"}, "README", {"README.2"}},
      {"no extension: any extension is version 0",
       {"README", "README.txt"},
       "README",
       {"README.txt"}},
      {"no extension: the file alone", {"README"}, "README", {"README"}},
      {"names compare in upper case",
       {"Report.TXT.3", "REPORT.txt"},
       "report.txt",
       {"Report.TXT.3"}},
#if !defined(_WIN32)  // Windows drops a name's trailing dots
      {"a trailing dot is version 0", {"report.txt."}, "report.txt", {"report.txt."}},
#endif
      {"nothing there", {"other.dat"}, "table.dat", {}},
    };
    for (const LookupCase& c : cases) {
        TempTree tree;
        tree.Directory("d");
        for (const std::string& file : c.files) {
            tree.File("d/" + file);
        }
        DorvaneProbe probe;
        const std::string expected =
            c.winners.empty() ? "" : tree.Dir("d") + FirstListed(tree, "d", c.winners);
        EXPECT_EQ(Lookup(probe, tree.Dir("d") + c.request), expected) << c.row;
    }
}

TEST(DetermineIfFileExists, KeepsTheCallersSpellingOfTheDirectory) {
    TempTree tree;
    tree.File("Data/Report.TXT.3");
    DorvaneProbe probe;
    // Both separators are accepted; the result is the caller's directory text followed
    // by the entry's own name.
    const std::string request = tree.Root().string() + "//Data/./report.txt";
    EXPECT_EQ(Lookup(probe, request), tree.Root().string() + "//Data/./Report.TXT.3");
}

TEST(DetermineIfFileExists, QuietAnswersForPathsThatNameNothing) {
    TempTree tree;
    tree.Files({"d/report.txt", "d/.profile", "d/plain"});
    tree.Directory("d/report.txt.9");
    DorvaneProbe probe;
    const dorvane::test::ScopedCurrentDirectory inside(tree.Root() / "d");
    EXPECT_EQ(Lookup(probe, ""), "") << "empty path";
    EXPECT_EQ(Lookup(probe, "report.txt"), "") << "a bare name is not looked up here";
    EXPECT_EQ(Lookup(probe, tree.Dir("missing/deeper") + "report.txt"), "") << "missing directory";
    EXPECT_EQ(Lookup(probe, tree.Dir("d") + "report.txt"), tree.Dir("d") + "report.txt")
        << "a directory named like a version is passed over";
    EXPECT_EQ(Lookup(probe, tree.Dir("d")), tree.Dir("d") + ".profile")
        << "a trailing separator asks for a name that is all extension";
}

#if !defined(_WIN32)

TEST(DetermineIfFileExists, OnlyRegularFilesCountAndNothingBlocks) {
    TempTree tree;
    tree.Files({"d/report.txt", "target"});
    ASSERT_TRUE(dorvane::test::MakeNamedPipe(tree.Path("d/report.txt.5")));
    fs::create_symlink(tree.Path("nowhere"), tree.Path("d/report.txt.8"));
    DorvaneProbe probe;
    EXPECT_EQ(Lookup(probe, tree.Dir("d") + "report.txt"), tree.Dir("d") + "report.txt")
        << "a named pipe and a dangling link are no candidates";

    fs::create_symlink(tree.Path("target"), tree.Path("d/report.txt.6"));
    EXPECT_EQ(Lookup(probe, tree.Dir("d") + "report.txt"), tree.Dir("d") + "report.txt.6")
        << "a link to a regular file counts";
}

TEST(DetermineIfFileExists, NamesHoldingABackslashNeverLeadOutOfTheDirectory) {
    TempTree tree;
    tree.Files({"d/report.txt", "outside/report.txt.7", "d/..\\outside\\report.txt.7"});
    DorvaneProbe probe;
    EXPECT_EQ(Lookup(probe, tree.Dir("d") + "report.txt"), tree.Dir("d") + "report.txt");
}

TEST(DetermineIfFileExists, DriveRelativeRequestLooksInThatDrivesDirectory) {
    // On POSIX a drive prefix is just the start of a relative name in the current
    // directory.
    TempTree tree;
    tree.Files({"C:report.txt", "C:report.txt.3", "report.txt.9"});
    const dorvane::test::ScopedCurrentDirectory inside(tree.Root());
    DorvaneProbe probe;
    EXPECT_EQ(Lookup(probe, "C:report.txt"), "C:report.txt.3");
}

TEST(DetermineIfFileExists, UnreadableFilesAndDirectoriesYieldNoCandidate) {
    TempTree tree;
    tree.Files({"d/report.txt", "d/report.txt.3", "d/only.txt.1", "locked/report.txt"});
    fs::permissions(tree.Path("d/report.txt.3"), fs::perms::none);
    fs::permissions(tree.Path("d/only.txt.1"), fs::perms::none);
    fs::permissions(tree.Path("locked"), fs::perms::none);
    const std::string d = tree.Dir("d");
    const std::string locked = tree.Dir("locked");
    EXPECT_TRUE(dorvane::test::RunUnprivileged([&] {
        DorvaneProbe probe;
        return Lookup(probe, d + "report.txt") == d + "report.txt" &&
               Lookup(probe, d + "only.txt").empty() &&
               Lookup(probe, locked + "report.txt").empty() &&
               !probe.FileExists(CVeskString((d + "report.txt.3").c_str())) &&
               probe.FileExists(CVeskString((d + "report.txt").c_str()));
    }));
}

#endif

TEST(GetCompleteFilePath, PlacesANameInAnotherPathsDirectory) {
    DorvaneProbe probe;
    const auto complete = [&](const char* base, const char* name) {
        return std::string(probe.GetCompleteFilePath(CVeskString(base), CVeskString(name)));
    };
    EXPECT_EQ(complete("C:\\data\\*.txt*", "report.txt.3"), "C:\\data\\report.txt.3");
    EXPECT_EQ(complete("dir/sub/old.name", "new.name"), "dir/sub/new.name");
    EXPECT_EQ(complete("C:x.txt", "y"), "C:y");
    EXPECT_EQ(complete("bare.txt", "y"), "y");
    EXPECT_EQ(complete("", "y"), "") << "no name on its own for an empty base";
}

TEST(FileExists, ReadsOnlyWhatExists) {
    TempTree tree;
    tree.File("present.txt");
    DorvaneProbe probe;
    EXPECT_TRUE(probe.FileExists(CVeskString(tree.Path("present.txt").c_str())));
    EXPECT_FALSE(probe.FileExists(CVeskString(tree.Path("absent.txt").c_str())));
    EXPECT_FALSE(probe.FileExists(CVeskString(tree.Root().string().c_str()))) << "a directory";
    EXPECT_FALSE(probe.FileExists(CVeskString("")));
}

}  // namespace
