// dorvane_benchmark: ResolveFile in this process on the benchmark trees, beside the floor
// walk of the same trees, so that bench/run can give each time as a ratio to the floor.
//
// The trees are those that dorvane-bench-tree wrote into the directory DORVANE_BENCH_TREES
// names (tree, wide and, when present, tree10). The process works in the empty directory
// cwd there, so that the current-directory place costs what it costs for a host whose
// current directory is small.

#include <Dorvane/Dorvane.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "FloorWalk.h"

namespace {

namespace fs = std::filesystem;

// The key=value lines of a tree.info; empty when the tree was not generated.
std::map<std::string, std::string> ReadTreeInfo(const fs::path& file) {
    std::map<std::string, std::string> info;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) {
            info[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return info;
}

// One request and the result it must give; an empty expectation means "not found".
struct Request {
    std::string parent;
    std::string path;
    std::string expected;
};

void Resolve(benchmark::State& state, const Request& request) {
    for (auto _ : state) {
        CDorvane resolver;
        if (!request.parent.empty()) {
            resolver.SetParentFilename(request.parent.c_str());
        }
        CVeskString path(request.path.c_str());
        const bool found = resolver.ResolveFile(path);
        if (found != !request.expected.empty() ||
            (found && request.expected != static_cast<const char*>(path))) {
            state.SkipWithError(("unexpected result " + std::string(path)).c_str());
            break;
        }
    }
}

void Floor(benchmark::State& state, const std::string& root) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(dorvane::bench::FloorWalk(root));
    }
}

void RegisterTree(const std::string& name, const std::map<std::string, std::string>& info,
                  int iterations) {
    const std::string root = info.at("root") + "/";
    const std::string planted = info.at("planted") + "/";
    const std::string parent = root + "index.lst";
    const auto configure = [iterations](benchmark::internal::Benchmark* benchmark) {
        benchmark->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(iterations);
    };
    configure(benchmark::RegisterBenchmark(("floor/" + name).c_str(), Floor, root));
    configure(benchmark::RegisterBenchmark(("resolve/" + name + "/absent").c_str(), Resolve,
                                           Request{parent, "/gone/dorvane/missing.txt", ""}));
    configure(benchmark::RegisterBenchmark(
        ("resolve/" + name + "/found-late").c_str(), Resolve,
        Request{parent, "/gone/dorvane/report.txt", planted + "report.txt.7"}));
}

void RegisterWide(const std::map<std::string, std::string>& info) {
    const std::string root = info.at("root") + "/";
    const auto configure = [](benchmark::internal::Benchmark* benchmark) {
        benchmark->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
    };
    configure(benchmark::RegisterBenchmark("floor/wide", Floor, root));
    configure(benchmark::RegisterBenchmark(
        "resolve/wide/place1", Resolve, Request{"", root + "report.txt", root + "report.txt.7"}));
}

}  // namespace

int main(int argc, char** argv) {
    const char* trees = std::getenv("DORVANE_BENCH_TREES");
    if (trees == nullptr) {
        std::fprintf(stderr,
                     "dorvane_benchmark: set DORVANE_BENCH_TREES to the trees' directory\n");
        return 2;
    }
    const fs::path directory = fs::absolute(trees);
    fs::create_directories(directory / "cwd");
    fs::current_path(directory / "cwd");
    const auto tree = ReadTreeInfo(directory / "tree" / "tree.info");
    const auto wide = ReadTreeInfo(directory / "wide" / "tree.info");
    const auto tree10 = ReadTreeInfo(directory / "tree10" / "tree.info");
    if (tree.empty() || wide.empty()) {
        std::fprintf(stderr, "dorvane_benchmark: generate tree and wide first (bench/run does)\n");
        return 2;
    }
    RegisterTree("tree", tree, 2);
    RegisterWide(wide);
    if (!tree10.empty()) {
        RegisterTree("tree10", tree10, 1);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
