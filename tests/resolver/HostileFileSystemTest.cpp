// The resolver on directories that someone else controls: names of every shape, entries
// it may not read, a directory of 100,000 entries, paths spelled in every odd way, and a
// tree that changes while it is walked. Whatever the disk holds, a call must end, and a
// success must name a file that is there.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "DorvaneProbe.h"
#include "PosixForTests.h"
#include "TempTree.h"

#if !defined(_WIN32)

namespace {

namespace fs = std::filesystem;
using dorvane::test::Resolve;
using dorvane::test::ScopedCurrentDirectory;
using dorvane::test::TempTree;

std::string AsciiUpper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

TEST(HostileFileSystem, NamesOfEveryShapeAreFoundAndWalked) {
    // Each row's name is used for a directory and for the file inside it. A row with a
    // version also gets the name with ".3" appended, which must win; the decoys match
    // the directory search's pattern but are other names.
    struct NameCase {
        const char* row;
        std::string name;
        bool hasVersion;
        std::vector<std::string> decoys;
    };
    std::string highBytes;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        highBytes += static_cast<char>(byte);
    }
    const NameCase cases[] = {
        {"255 bytes", std::string(251, 'n') + ".txt", false, {}},
        {"253 bytes and a 255-byte version", std::string(249, 'v') + ".txt", true, {}},
        {"every byte from 0x80 to 0xFF", highBytes + ".dat", true, {}},
        {"invalid UTF-8", "\xC3(\xFF\xFE\x80.txt", true, {}},
        {"overlong encoding of a slash",
         "a\xC0\xAF"
         "b.txt",
         true,
         {}},
        {"a newline", "line\nbreak.txt", true, {"line\nbreak.txt2"}},
        {"a star", "star*.txt", true, {"starlet.txt.9"}},
        {"question marks", "what?.t?t", true, {"what?.txt.9", "whatX.t?t.9"}},
        {"a star in the extension", "data.t*", true, {"data.tab.5", "data.t.5"}},
    };
    TempTree tree;
    tree.Directory("cwd");
    const ScopedCurrentDirectory inside(tree.Root() / "cwd");
    int index = 0;
    for (const NameCase& c : cases) {
        const std::string row = "rows/" + std::to_string(index++);
        const std::string holder = row + "/" + c.name;
        tree.File(row + "/index.lst");
        tree.File(holder + "/" + c.name);
        if (c.hasVersion) {
            tree.File(holder + "/" + c.name + ".3");
        }
        for (const std::string& decoy : c.decoys) {
            tree.File(holder + "/" + decoy);
        }
        const std::string expected = tree.Dir(holder) + c.name + (c.hasVersion ? ".3" : "");

        const auto own = Resolve(tree.Dir(holder) + c.name);
        EXPECT_TRUE(own.found) << c.row << ": in its own directory";
        EXPECT_EQ(own.path, expected) << c.row << ": in its own directory";
        EXPECT_EQ(Resolve(tree.Dir(holder) + AsciiUpper(c.name)).path, expected)
            << c.row << ": spelled in upper case";
        const auto below = Resolve("gone/" + c.name, tree.Path(row + "/index.lst"));
        EXPECT_TRUE(below.found) << c.row << ": below the parent";
        EXPECT_EQ(below.path, expected) << c.row << ": below the parent";
    }
}

TEST(HostileFileSystem, NamesBeyondTheSystemsLimitAreNotFound) {
    TempTree tree;
    tree.Files({"d/report.txt", "cwd/placeholder"});
    const ScopedCurrentDirectory inside(tree.Root() / "cwd");
    for (const std::string& request :
         {tree.Dir("d") + std::string(256, 'n'), tree.Dir("d") + std::string(4000, 'n') + ".txt",
          tree.Dir(std::string(300, 'x')) + "report.txt"}) {
        const auto resolution = Resolve(request);
        EXPECT_FALSE(resolution.found) << request.size() << " characters";
        EXPECT_EQ(resolution.path, request);
    }
}

TEST(HostileFileSystem, UnreadableDirectoriesAndFilesArePassedOver) {
    TempTree tree;
    tree.Files({"base/index.lst", "base/noread/report.txt.8", "base/nosearch/report.txt.7",
                "base/nosearch/deeper/report.txt.6", "base/ok/report.txt.1", "base/ok/report.txt.5",
                "base/ok/deeper/report.txt.9"});
    tree.Directory("cwd");
    // Listed but not entered; entered but not listed; a newer version nobody may read.
    fs::permissions(tree.Root() / "base/nosearch", fs::perms(0644));
    fs::permissions(tree.Root() / "base/noread", fs::perms(0311));
    fs::permissions(tree.Root() / "base/ok/report.txt.5", fs::perms::none);
    fs::permissions(tree.Root() / "base/ok/deeper", fs::perms::none);
    const std::string parent = tree.Path("base/index.lst");
    const std::string ok = tree.Dir("base/ok");
    const std::string inNoRead = tree.Dir("base/noread") + "report.txt";
    const std::string inNoSearch = tree.Dir("base/nosearch") + "report.txt";
    const fs::path cwd = tree.Root() / "cwd";
    EXPECT_TRUE(dorvane::test::RunUnprivileged([&] {
        const ScopedCurrentDirectory inside(cwd);
        const auto below = Resolve("report.txt", parent);
        const auto own = Resolve(ok + "report.txt");
        const auto noRead = Resolve(inNoRead);
        const auto noSearch = Resolve(inNoSearch);
        return below.found && below.path == ok + "report.txt.1" && own.found &&
               own.path == ok + "report.txt.1" && !noRead.found && noRead.path == inNoRead &&
               !noSearch.found && noSearch.path == inNoSearch;
    }));
}

// A memory file system where the system has one: the case is about the number of
// entries, not the speed of the disk.
fs::path MemoryBackedTemporaryDirectory() {
    std::error_code error;
    return fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

TEST(HostileFileSystem, HundredThousandEntriesInOneDirectory) {
    TempTree tree(MemoryBackedTemporaryDirectory());
    tree.Files({"base/index.lst", "cwd/placeholder"});
    tree.Directory("base/big");
    std::vector<std::string> names;
    names.reserve(100000);
    for (int i = 1; i <= 500; ++i) {
        names.push_back("report.txt." + std::to_string(i));
    }
    while (names.size() < 100000) {
        names.push_back("entry-" + std::to_string(names.size()) + ".dat");
    }
    const dorvane::test::ScopedEmptyFiles entries(tree.Path("base/big"), std::move(names));
    ASSERT_TRUE(entries.Complete());
    const ScopedCurrentDirectory inside(tree.Root() / "cwd");

    const auto own = Resolve(tree.Dir("base/big") + "REPORT.TXT");
    EXPECT_TRUE(own.found);
    EXPECT_EQ(own.path, tree.Dir("base/big") + "report.txt.500");
    const auto below = Resolve("gone/report.txt", tree.Path("base/index.lst"));
    EXPECT_TRUE(below.found);
    EXPECT_EQ(below.path, tree.Dir("base/big") + "report.txt.500");
    EXPECT_FALSE(Resolve("gone/missing.dat", tree.Path("base/index.lst")).found);
}

TEST(HostileFileSystem, PathsWithOddSeparatorsDotsAndLengths) {
    TempTree tree;
    tree.Files(
        {"a/b/report.txt", "a/b/report.txt.2", "p/index.lst", "p/report.txt.3", "cwd/placeholder"});
    tree.Directory("a/x");
    const ScopedCurrentDirectory inside(tree.Root() / "cwd");
    const std::string root = tree.Root().string();
    // Pads a spelling of the same place to 4,000 characters with "./" (or "\/").
    const auto padded = [](const std::string& head, const std::string& step,
                           const std::string& tail, std::size_t length) {
        std::string path = head;
        while (path.size() + step.size() + tail.size() <= length) {
            path += step;
        }
        return path + tail;
    };
    const std::string longParent = padded(root + "/", "./", "p/index.lst", 4000);
    const std::string longParentDirectory = longParent.substr(0, longParent.size() - 9);
    struct PathCase {
        const char* row;
        std::string request;
        std::string parent;
        std::string expected;  // empty: not found
    };
    const PathCase cases[] = {
        {"backslashes", root + "\\a\\b\\report.txt", "", root + "\\a\\b\\report.txt.2"},
        {"both separators", root + "/a\\b/report.txt", "", root + "/a\\b/report.txt.2"},
        {"repeated separators", root + "//a\\\\//b///report.txt", "",
         root + "//a\\\\//b///report.txt.2"},
        {"dot components", root + "/./a/./b/./report.txt", "", root + "/./a/./b/./report.txt.2"},
        {"dot-dot components", root + "/a/x/../b/report.txt", "", root + "/a/x/../b/report.txt.2"},
        {"dot-dot through a missing directory", root + "/a/missing/../b/report.txt", "", ""},
        {"4,000 characters", padded(root + "/a/", "./", "b/report.txt", 4000), "",
         padded(root + "/a/", "./", "b/report.txt", 4000) + ".2"},
        {"4,000 characters of separators", padded(root + "/a", "\\/", "b/report.txt", 4000), "",
         padded(root + "/a", "\\/", "b/report.txt", 4000) + ".2"},
        {"beyond the system's path limit", padded(root + "/a/", "./", "b/report.txt", 6000), "",
         ""},
        {"parent with backslashes", "old/report.txt", root + "\\p\\index.lst",
         root + "\\p\\report.txt.3"},
        {"parent climbing with dot-dots", "old\\report.txt", root + "\\a\\x\\..\\..\\p//index.lst",
         root + "\\a\\x\\..\\..\\p//report.txt.3"},
        {"parent of 4,000 characters", "report.txt", longParent,
         longParentDirectory + "report.txt.3"},
        {"base with dots, searched below", "old/report.txt.2", root + "/./a//x/../index.lst",
         root + "/./a//x/../b/report.txt.2"},
    };
    for (const PathCase& c : cases) {
        const auto resolution = Resolve(c.request, c.parent);
        EXPECT_EQ(resolution.found, !c.expected.empty()) << c.row;
        EXPECT_EQ(resolution.path, c.expected.empty() ? c.request : c.expected) << c.row;
    }
}

// Changes a tree below base from another thread while the resolver walks it: creates,
// renames and deletes directories (each with a subdirectory "inner") and the files in
// them. It keeps its own picture of the tree, and records every path at which a file
// ever stood, before the change that puts it there.
class TreeChurn {
public:
    TreeChurn(const TempTree& tree, std::string base) : m_Tree(tree), m_Base(std::move(base)) {}

    void Run(const std::atomic<bool>& stop) {
        std::mt19937 random(20240607u);
        while (!stop.load()) {
            Step(random);
        }
    }

    bool Existed(const std::string& path) {
        const std::lock_guard<std::mutex> lock(m_Mutex);
        return m_Existed.count(path) != 0;
    }

private:
    using Files = std::set<std::string>;  // names, "inner/" in front for the subdirectory

    void Step(std::mt19937& random) {
        const std::string name = "c" + std::to_string(random() % 6);
        const fs::path directory = m_Tree.Root() / m_Base / name;
        std::error_code error;
        const auto found = m_Directories.find(name);
        if (found == m_Directories.end()) {
            fs::create_directories(directory / "inner", error);
            m_Directories[name];
            return;
        }
        Files& files = found->second;
        const std::string version = "report.txt." + std::to_string(random() % 20);
        const std::string file = (random() % 2 == 0 ? "inner/" : "") + version;
        switch (random() % 5) {
            case 0:
            case 1:  // a file appears, or is renamed to another version
                Record(name, file);
                if (files.empty() || random() % 2 == 0) {
                    std::ofstream(directory / file) << file << '\n';
                } else {
                    fs::rename(directory / *files.begin(), directory / file, error);
                    files.erase(files.begin());
                }
                files.insert(file);
                break;
            case 2:  // a file goes
                fs::remove(directory / file, error);
                files.erase(file);
                break;
            case 3: {  // the directory is renamed, with everything in it
                const std::string target = "c" + std::to_string(random() % 6);
                if (m_Directories.count(target) != 0) {
                    break;
                }
                for (const std::string& each : files) {
                    Record(target, each);
                }
                fs::rename(directory, m_Tree.Root() / m_Base / target, error);
                Files moved = std::move(files);
                m_Directories.erase(found);
                m_Directories[target] = std::move(moved);
                break;
            }
            default:  // the directory goes
                fs::remove_all(directory, error);
                m_Directories.erase(found);
                break;
        }
    }

    void Record(const std::string& directory, const std::string& file) {
        const std::lock_guard<std::mutex> lock(m_Mutex);
        const bool inner = file.compare(0, 6, "inner/") == 0;
        const std::string relative = m_Base + "/" + directory + (inner ? "/inner" : "");
        m_Existed.insert(m_Tree.Dir(relative) + file.substr(inner ? 6 : 0));
    }

    const TempTree& m_Tree;
    const std::string m_Base;
    std::map<std::string, Files> m_Directories;
    std::mutex m_Mutex;
    std::set<std::string> m_Existed;
};

TEST(HostileFileSystem, TreeThatChangesDuringTheSearch) {
    TempTree tree;
    tree.Files({"base/index.lst", "base/stable/report.txt.1", "cwd/placeholder"});
    const ScopedCurrentDirectory inside(tree.Root() / "cwd");
    const std::string stable = tree.Dir("base/stable") + "report.txt.1";
    TreeChurn churn(tree, "base");
    std::atomic<bool> stop(false);
    std::thread changer([&] { churn.Run(stop); });

    std::vector<std::string> successes;
    int misses = 0;
    for (int round = 0; round < 300; ++round) {
        // Below the parent, where the stable copy is always there to be found; and in a
        // directory that comes and goes, with its own subdirectories below.
        const auto below = Resolve("report.txt", tree.Path("base/index.lst"));
        misses += below.found ? 0 : 1;
        if (below.found) {
            successes.push_back(below.path);
        }
        const auto own = Resolve(tree.Dir("base/c" + std::to_string(round % 6)) + "report.txt");
        if (own.found) {
            successes.push_back(own.path);
        }
        dorvane::test::DorvaneProbe probe;
        probe.GenerateSubdirectoriesList(CVeskString(tree.Dir("base").c_str()));
    }
    stop.store(true);
    changer.join();

    EXPECT_EQ(misses, 0) << "the stable copy below the parent is always found";
    for (const std::string& path : successes) {
        EXPECT_TRUE(path == stable || churn.Existed(path)) << path << " never existed";
    }
}

}  // namespace

#endif
