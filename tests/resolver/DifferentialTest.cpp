// The library against the plain reference resolver, request by request, on generated
// trees: random shapes, planted versions with ties, negative and wrapping numbers,
// names that only look like the target, links to files, dangling links, link cycles,
// named pipes and names holding a backslash.
//
// The normal suite runs a few dozen trees; DORVANE_DIFFERENTIAL_TREES=500 runs as many
// as it says (each tree has its own seed, printed with any difference).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "DorvaneProbe.h"
#include "PosixForTests.h"
#include "ReferenceResolver.h"
#include "TempTree.h"

namespace {

namespace fs = std::filesystem;
using dorvane::test::DorvaneProbe;
using dorvane::test::ReferenceResolver;
using dorvane::test::TempTree;

int TreeCount() {
    const char* count = std::getenv("DORVANE_DIFFERENTIAL_TREES");
    return count != nullptr && std::atoi(count) > 0 ? std::atoi(count) : 40;
}

const char* const kTargets[] = {
    "report.txt", "report.txt", "Report.txt",  "REPORT.TXT", "report.txt.2", "README", "archive.7z",
    "readme.1st", "table.dat",  "missing.txt", "notes",      "sub",          ""};

const char* const kFileNames[] = {"report.txt",
                                  "Report.TXT",
                                  "report.txt.1",
                                  "report.txt.10",
                                  "report.txt.2",
                                  "report.txt.0",
                                  "report.txt.-4",
                                  "report.txt.-9",
                                  "report.txt.4294967297",
                                  "report.txt.4294967295",
                                  "report.txt.abc",
                                  "report.txt.7b",
                                  "report.txt.3.bak",
                                  "xreport.txt",
                                  "report.txtx",
                                  "report.txt. 5",
                                  "report.txt.+3",
                                  "report.txt.2.1",
                                  "README",
                                  "README.2",
                                  "readme.txt",
                                  ".profile",
                                  "archive.7z",
                                  "archive.7z.3",
                                  "readme.1st",
                                  "readme.1st.0",
                                  "table.dat",
                                  "TABLE.dat.3",
                                  "notes",
                                  "notes.",
                                  "sub.1",
                                  "a\\report.txt",
                                  "index.lst"};

const char* const kDirectoryNames[] = {"a",        "b",   "sub",  "docs.old",
                                       ".cache",   "x y", "deep", "report.txt",
                                       "README.7", "Sub", "c",    "table.dat.9"};

class Dice {
public:
    explicit Dice(std::uint64_t seed) : m_Engine(seed) {}
    std::size_t Below(std::size_t bound) { return static_cast<std::size_t>(m_Engine() % bound); }
    bool OneIn(std::size_t n) { return Below(n) == 0; }
    template <std::size_t N>
    const char* Pick(const char* const (&choices)[N]) {
        return choices[Below(N)];
    }

private:
    std::mt19937_64 m_Engine;
};

// A random tree below root; returns its directories (relative, "" for the root).
std::vector<std::string> BuildTree(Dice& dice, const TempTree& tree) {
    std::vector<std::string> directories{""};
    const std::size_t maxDepth = 1 + dice.Below(4);
    for (std::size_t i = 0; i < directories.size() && directories.size() < 60; ++i) {
        const std::string parent = directories[i];
        const std::size_t depth =
            parent.empty()
                ? 0
                : static_cast<std::size_t>(std::count(parent.begin(), parent.end(), '/')) + 1;
        if (depth >= maxDepth) {
            continue;
        }
        const std::size_t children = dice.Below(4);
        for (std::size_t c = 0; c < children; ++c) {
            const std::string child =
                (parent.empty() ? "" : parent + "/") + dice.Pick(kDirectoryNames);
            if (fs::exists(tree.Root() / child)) {
                continue;
            }
            tree.Directory(child);
            directories.push_back(child);
        }
    }
    for (const std::string& directory : directories) {
        const std::size_t files = dice.Below(5);
        for (std::size_t f = 0; f < files; ++f) {
            const std::string name = dice.Pick(kFileNames);
            const std::string relative = (directory.empty() ? "" : directory + "/") + name;
            if (!fs::exists(tree.Root() / relative)) {
                tree.File(relative);
            }
        }
    }
    // Links, pipes: a few per tree, each in a random directory.
    const auto somewhere = [&](const std::string& name) {
        const std::string& directory = directories[dice.Below(directories.size())];
        return tree.Root() / ((directory.empty() ? "" : directory + "/") + name);
    };
    std::error_code error;
    for (std::size_t i = dice.Below(4); i > 0; --i) {
        const std::string& target = directories[dice.Below(directories.size())];
        fs::create_directory_symlink(tree.Root() / target,
                                     somewhere(dice.OneIn(2) ? "link" : "report.txt.8"), error);
    }
    if (dice.OneIn(2)) {
        fs::create_symlink(tree.Root() / "nowhere", somewhere("report.txt.6"), error);
    }
    if (dice.OneIn(2)) {
        tree.File("elsewhere/report.txt.5");
        fs::create_symlink(tree.Root() / "elsewhere/report.txt.5", somewhere("report.txt.5"),
                           error);
    }
    if (dice.OneIn(3)) {
        dorvane::test::MakeNamedPipe(somewhere("report.txt.11").string());
    }
    return directories;
}

struct Outcome {
    bool found;
    std::string path;
    friend bool operator==(const Outcome& a, const Outcome& b) {
        return a.found == b.found && a.path == b.path;
    }
};

std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
    return out << (outcome.found ? "found " : "not found, left as ") << outcome.path;
}

Outcome ResolveWithLibrary(const std::string& path, const std::string& parent) {
    CDorvane resolver;
    resolver.SetParentFilename(CVeskString(parent.c_str()));
    CVeskString text(path.c_str());
    const bool found = resolver.ResolveFile(text);
    return Outcome{found, std::string(text)};
}

Outcome ResolveWithReference(const std::string& path, const std::string& parent) {
    ReferenceResolver reference;
    reference.SetParentFilename(parent);
    std::string text = path;
    const bool found = reference.ResolveFile(text);
    return Outcome{found, text};
}

// A request and a parent for one tree: the path's directory exists, is gone, or is
// missing, and the parent sits in one of the tree's directories, has no directory, or
// is absent.
struct Request {
    std::string path;
    std::string parent;
};

Request RandomRequest(Dice& dice, const TempTree& tree,
                      const std::vector<std::string>& directories) {
    const std::string target = dice.Pick(kTargets);
    const std::string& directory = directories[dice.Below(directories.size())];
    Request request;
    switch (dice.Below(5)) {
        case 0:
            request.path = tree.Dir(directory) + target;
            break;
        case 1:
            request.path = "/gone/dorvane/" + target;
            break;
        case 2:
            request.path = target;
            break;
        case 3:
            request.path = directory.empty() ? target : directory + "/" + target;
            break;
        default:
            request.path = tree.Dir(directory) + "gone\\" + target;
            break;
    }
    switch (dice.Below(4)) {
        case 0:
            break;
        case 1:
            request.parent = "index.lst";
            break;
        default:
            request.parent = tree.Dir(directories[dice.Below(directories.size())]) + "index.lst";
            break;
    }
    return request;
}

TEST(Differential, ResolveFileGivesWhatTheWrittenStepsGive) {
    const int trees = TreeCount();
    for (int seed = 0; seed < trees; ++seed) {
        Dice dice(static_cast<std::uint64_t>(seed));
        TempTree tree;
        const std::vector<std::string> directories = BuildTree(dice, tree);
        const dorvane::test::ScopedCurrentDirectory inside(
            tree.Root() / directories[dice.Below(directories.size())]);
        for (int i = 0; i < 25; ++i) {
            const Request request = RandomRequest(dice, tree, directories);
            ASSERT_EQ(ResolveWithLibrary(request.path, request.parent),
                      ResolveWithReference(request.path, request.parent))
                << "tree seed " << seed << ", path '" << request.path << "', parent '"
                << request.parent << "'";
        }
    }
}

// The protected members as a derived class calls them: the list GenerateSubdirectoriesList
// leaves, and DetermineFileInSubdirectories with entries left in the list beforehand.
TEST(Differential, ProtectedMembersGiveWhatTheWrittenStepsGive) {
    const int trees = TreeCount();
    for (int seed = 0; seed < trees; ++seed) {
        Dice dice(static_cast<std::uint64_t>(seed) + 1000003u);
        TempTree tree;
        const std::vector<std::string> directories = BuildTree(dice, tree);
        const dorvane::test::ScopedCurrentDirectory inside(tree.Root());
        for (int i = 0; i < 10; ++i) {
            const std::string& base = directories[dice.Below(directories.size())];
            const std::string where = "tree seed " + std::to_string(seed) + ", base '" + base + "'";
            DorvaneProbe probe;
            ReferenceResolver reference;
            const bool added =
                probe.GenerateSubdirectoriesList(CVeskString(tree.Dir(base).c_str()));
            ASSERT_EQ(added, reference.GenerateSubdirectoriesList(tree.Dir(base))) << where;
            ASSERT_EQ(probe.Subdirectories(), reference.SubdirectoriesList()) << where;

            // Leftovers, then a search with the base as the parent's directory.
            probe.ClearSubdirectoriesList();
            reference.SubdirectoriesList().clear();
            for (std::size_t left = dice.Below(3); left > 0; --left) {
                const std::string leftover = tree.Dir(directories[dice.Below(directories.size())]);
                probe.AddSubdirectory(leftover);
                reference.SubdirectoriesList().push_back(leftover);
            }
            const std::string parent = tree.Dir(base) + "index.lst";
            probe.SetParentFilename(CVeskString(parent.c_str()));
            reference.SetParentFilename(parent);
            const std::string request = std::string("/gone/") + dice.Pick(kTargets);
            CVeskString libraryPath(request.c_str());
            std::string referencePath = request;
            const bool libraryFound = probe.DetermineFileInSubdirectories(libraryPath);
            ASSERT_EQ(
                (Outcome{libraryFound, std::string(libraryPath)}),
                (Outcome{reference.DetermineFileInSubdirectories(referencePath), referencePath}))
                << where << ", request " << request;
            ASSERT_EQ(probe.Subdirectories(), reference.SubdirectoriesList()) << where;
        }
    }
}

}  // namespace
