// dorvane-resolve run as a separate program: what it prints where, and its exit status.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "PosixForTests.h"
#include "TempTree.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using dorvane::test::ProgramRun;
using dorvane::test::RunProgram;
using dorvane::test::ScopedCurrentDirectory;
using dorvane::test::StalledProgram;
using dorvane::test::TempTree;

const std::string kProgram = DORVANE_RESOLVE_PROGRAM;

// A project whose references went stale: old/ is gone, the files now lie in proj/.
class DorvaneResolve : public ::testing::Test {
protected:
    DorvaneResolve() {
        tree.Files({"proj/index.lst", "proj/table.dat.1", "proj/table.dat.3", "proj/other.dat",
                    "proj/sub/deep.txt", "a/report.txt", "a/with space.txt"});
    }

    // text with every "@" replaced by the tree's root.
    std::string At(const std::string& text) const {
        std::string result;
        for (char c : text) {
            result += c == '@' ? tree.Root().string() : std::string(1, c);
        }
        return result;
    }

    ProgramRun Run(const std::vector<std::string>& arguments, const std::string& input = "") {
        std::vector<std::string> command{kProgram};
        for (const std::string& argument : arguments) {
            command.push_back(At(argument));
        }
        return RunProgram(command, At(input));
    }

    TempTree tree;
};

TEST_F(DorvaneResolve, ResolvesArgumentsAndStandardInputInOrder) {
    // "@" stands for the tree's root.
    struct Row {
        const char* row;
        std::vector<std::string> arguments;
        std::string input;
        int exitStatus;
        std::string out;
        std::string err;
    };
    const Row rows[] = {
        {"every path found, in argument order",
         {"--parent", "@/proj/index.lst", "@/old/deep.txt", "@/old/table.dat", "@/a/report.txt"},
         "",
         0,
         "@/proj/sub/deep.txt\n@/proj/table.dat.3\n@/a/report.txt\n",
         ""},
        {"--parent=FILE, and the same path twice",
         {"--parent=@/proj/index.lst", "@/old/table.dat", "@/old/table.dat"},
         "",
         0,
         "@/proj/table.dat.3\n@/proj/table.dat.3\n",
         ""},
        {"options after paths",
         {"@/old/table.dat", "--parent", "@/proj/index.lst"},
         "",
         0,
         "@/proj/table.dat.3\n",
         ""},
        {"without the parent the stale path is not found, the others still are",
         {"@/a/report.txt", "@/old/table.dat", "@/a/with space.txt"},
         "",
         1,
         "@/a/report.txt\n@/a/with space.txt\n",
         "not found: @/old/table.dat\n"},
        {"none found",
         {"@/a/gone.txt", "@/b/gone.txt"},
         "",
         1,
         "",
         "not found: @/a/gone.txt\nnot found: @/b/gone.txt\n"},
        {"after -- a path may begin with -",
         {"--", "-no-such-file"},
         "",
         1,
         "",
         "not found: -no-such-file\n"},
        {"standard input: blank lines skipped, CRLF accepted, order kept",
         {"--parent", "@/proj/index.lst", "-"},
         "@/old/deep.txt\n\n   \n@/old/gone.txt\r\n@/a/with space.txt\n\t\n@/old/table.dat",
         1,
         "@/proj/sub/deep.txt\n@/a/with space.txt\n@/proj/table.dat.3\n",
         "not found: @/old/gone.txt\n"},
        {"standard input, every line found",
         {"-"},
         "@/a/report.txt\r\n@/a/report.txt\n",
         0,
         "@/a/report.txt\n@/a/report.txt\n",
         ""},
        {"standard input, empty", {"-"}, "", 0, "", ""},
        {"a line holding a zero byte names no file, not the file before the zero",
         {"-"},
         "@/a/report.txt\0.bak\n"s,
         1,
         "",
         "not found: @/a/report.txt\0.bak\n"s},
    };
    for (const Row& r : rows) {
        const ProgramRun run = Run(r.arguments, r.input);
        EXPECT_EQ(run.exitStatus, r.exitStatus) << r.row << "\n" << run.err;
        EXPECT_EQ(run.out, At(r.out)) << r.row;
        EXPECT_EQ(run.err, At(r.err)) << r.row;
    }
}

TEST_F(DorvaneResolve, UsageErrorsExitWithTwoAndTheUsageLine) {
    struct Row {
        std::vector<std::string> arguments;
        std::string problem;  // the first line of standard error
    };
    const Row rows[] = {
        {{}, "no PATH given"},
        {{"--parent", "@/proj/index.lst"}, "no PATH given"},
        {{"--frobnicate", "@/a/report.txt"}, "unknown option --frobnicate"},
        {{"@/a/report.txt", "-x"}, "unknown option -x"},
        {{"@/a/report.txt", "--parent"}, "option --parent needs a FILE"},
        {{"-", "@/a/report.txt"}, "\"-\" must be the only PATH"},
        {{"--demo", "@/a/report.txt"}, "--demo takes no parent and no paths"},
        {{"--demo", "--parent", "@/proj/index.lst"}, "--demo takes no parent and no paths"},
    };
    for (const Row& r : rows) {
        const std::string row = "arguments: " + ::testing::PrintToString(r.arguments);
        const ProgramRun run = Run(r.arguments);
        EXPECT_EQ(run.exitStatus, 2) << row;
        EXPECT_EQ(run.out, "") << row;
        const std::string usage = "usage: dorvane-resolve [--parent FILE] (PATH... | -)";
        EXPECT_EQ(run.err.substr(0, run.err.find(usage)), "dorvane-resolve: " + r.problem + "\n")
            << row;
        EXPECT_EQ(run.err.find('\n', run.err.find(usage)), run.err.size() - 1)
            << row << ": the usage text is one line at the end\n"
            << run.err;
    }
}

TEST_F(DorvaneResolve, HelpAndVersionGoToStandardOutput) {
    const ProgramRun help = Run({"@/a/report.txt", "--help", "--frobnicate"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_EQ(help.out.rfind("usage: dorvane-resolve [--parent FILE] PATH...\n", 0), 0u)
        << help.out;
    for (const char* mentioned : {"--parent FILE", "--demo", "not found: PATH", "Exit status"}) {
        EXPECT_NE(help.out.find(mentioned), std::string::npos) << mentioned;
    }
    EXPECT_EQ(help.err, "");

    const ProgramRun version = Run({"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, "dorvane-resolve "s + DORVANE_VERSION + "\n");
    EXPECT_EQ(version.err, "");
}

// The demo gets a temporary directory of its own, so that what it leaves shows.
class DorvaneResolveDemo : public ::testing::Test {
protected:
    std::vector<std::string> Environment() const { return {"TMPDIR=" + tree.Root().string()}; }
    std::vector<fs::path> LeftInTemp() const {
        std::vector<fs::path> left;
        for (const fs::directory_entry& entry : fs::directory_iterator(tree.Root())) {
            left.push_back(entry.path());
        }
        return left;
    }

    TempTree tree;
};

TEST_F(DorvaneResolveDemo, ShowsTheThreeCasesAndRemovesItsFolder) {
    // Files of the demo's names in the current directory must not change its results.
    TempTree current;
    current.Files({"table.dat.9", "legend.txt", "summary.dat"});
    const ScopedCurrentDirectory inside(current.Root());

    const ProgramRun run = RunProgram({kProgram, "--demo"}, "", Environment());
    EXPECT_EQ(run.exitStatus, 0) << run.out << run.err;
    EXPECT_EQ(run.err, "");
    const std::string folder = tree.Dir() + "dorvane-demo-";
    for (const std::string& shown : std::vector<std::string>{
             "request  " + folder, "parent   " + folder, "/proj/index.lst\n",
             "/old/data/table.dat\n", "/proj/table.dat.3\n", "/proj/archive/2019/legend.txt\n",
             "not found, path still " + folder}) {
        EXPECT_NE(run.out.find(shown), std::string::npos) << shown << " in\n" << run.out;
    }
    EXPECT_EQ(run.out.find("UNEXPECTED"), std::string::npos) << run.out;
    EXPECT_EQ(LeftInTemp(), std::vector<fs::path>{});
}

TEST_F(DorvaneResolveDemo, RemovesItsFolderWhenInterrupted) {
    // SIGPIPE as when the demo's reader goes away: dorvane-resolve --demo | head -1.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        const std::string row = "signal " + std::to_string(signal);
        // The demo shows its folder while it exists; with the pipe full it stops there.
        StalledProgram demo({kProgram, "--demo"}, Environment());
        for (int waited = 0; waited < 3000 && demo.Running() && LeftInTemp().empty(); ++waited) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_EQ(LeftInTemp().size(), 1u) << row;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ASSERT_TRUE(demo.Running()) << row;
        ASSERT_EQ(LeftInTemp().size(), 1u) << row << ": the folder exists while the demo waits";

        const ProgramRun run = demo.EndWith(signal);
        EXPECT_EQ(run.signal, signal) << row << ": the signal still ends the program";
        EXPECT_EQ(run.err, "") << row;
        EXPECT_EQ(LeftInTemp(), std::vector<fs::path>{}) << row;
    }
}

TEST_F(DorvaneResolveDemo, ReportsATemporaryDirectoryItCannotUse) {
    const ProgramRun run = RunProgram({kProgram, "--demo"}, "", {"TMPDIR=" + tree.Path("missing")});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err.rfind("dorvane-resolve: --demo: ", 0), 0u) << run.err;
    EXPECT_EQ(LeftInTemp(), std::vector<fs::path>{});
}

}  // namespace
