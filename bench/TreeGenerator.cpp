// dorvane-bench-tree KIND DIRECTORY [SEED]: writes one of the benchmark trees.
//
//   tree    19,607 directories below the root (fan-out 7, depth 5) and 200,000 files with
//           mixed names and extensions; report.txt, report.txt.1 and report.txt.7 lie in the
//           last depth-5 directory of the walk, the file system's own order, depth first.
//   wide    one directory of 100,000 such files, the three report files among them.
//   tree10  ten trees of that shape under one root, 2,000,000 files: the scaling case.
//
// The same seed gives the same names and the same shape. DIRECTORY receives the tree
// (built under DIRECTORY.partial and renamed when complete) and a file tree.info that
// tells the benchmark where the files were planted. An existing complete tree of the
// same kind and seed is kept as it is.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kFanOut = 7;
constexpr int kDepth = 5;
constexpr std::uint64_t kFilesPerTree = 200000;
constexpr std::uint64_t kWideFiles = 100000;

// std::mt19937_64 produces the same sequence everywhere; the distributions of <random>
// do not, so the generator maps the raw numbers itself.
class Dice {
public:
    explicit Dice(std::uint64_t seed) : m_Engine(seed) {}
    std::uint64_t Below(std::uint64_t bound) { return m_Engine() % bound; }
    template <std::size_t N>
    const char* Pick(const char* const (&choices)[N]) {
        return choices[Below(N)];
    }

private:
    std::mt19937_64 m_Engine;
};

const char* const kFileStems[] = {"report", "data",  "notes", "image", "log",     "config",
                                  "readme", "index", "photo", "draft", "summary", "backup",
                                  "Report", "DATA",  "table", "thumb", "invoice", "export"};
const char* const kExtensions[] = {".txt",   ".csv",     ".png", ".log",    ".cpp", ".h",
                                   ".json",  ".txt.bak", ".md",  ".tar.gz", "",     ".TXT",
                                   ".txt.1", ".jpg",     ".xml", ".dat"};
const char* const kDirectoryStems[] = {"src",   "docs",  "lib",      "test",   "data", "img",
                                       "cache", "build", "docs.old", ".cache", "misc", "Archive"};

// A file name that never equals report.txt nor one of its versions: the stem always
// carries a number, so "report" never stands alone before the extension.
std::string FileName(Dice& dice, std::uint64_t serial) {
    return std::string(dice.Pick(kFileStems)) + std::to_string(serial) + dice.Pick(kExtensions);
}

void WriteEmptyFile(const fs::path& path) { std::ofstream(path, std::ios::binary); }

void WritePlantedFiles(const fs::path& directory) {
    for (const char* name : {"report.txt", "report.txt.1", "report.txt.7"}) {
        std::ofstream(directory / name) << name << '\n';
    }
}

// Builds one fan-out-7, depth-5 tree below root and returns its directories.
std::vector<fs::path> BuildDirectories(Dice& dice, const fs::path& root) {
    std::vector<fs::path> directories{root};
    std::vector<fs::path> level{root};
    for (int depth = 0; depth < kDepth; ++depth) {
        std::vector<fs::path> next;
        for (const fs::path& parent : level) {
            for (int child = 0; child < kFanOut; ++child) {
                const fs::path directory =
                    parent / (std::string(dice.Pick(kDirectoryStems)) + std::to_string(child));
                fs::create_directory(directory);
                next.push_back(directory);
            }
        }
        directories.insert(directories.end(), next.begin(), next.end());
        level = std::move(next);
    }
    return directories;
}

// The last directory at the given depth in the order a depth-first walk meets them, each
// directory's entries in the file system's own order.
fs::path LastDirectoryInWalkOrder(const fs::path& root, int wantedDepth) {
    fs::path last;
    std::vector<std::pair<fs::path, int>> pending{{root, 0}};
    while (!pending.empty()) {
        const auto [directory, depth] = pending.back();
        pending.pop_back();
        if (depth == wantedDepth) {
            last = directory;
            continue;
        }
        std::vector<fs::path> children;
        for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
            if (entry.is_directory()) {
                children.push_back(entry.path());
            }
        }
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            pending.emplace_back(*it, depth + 1);
        }
    }
    return last;
}

struct Summary {
    std::uint64_t directories = 0;
    std::uint64_t files = 0;
    fs::path planted;
};

Summary BuildTrees(Dice& dice, const fs::path& root, int copies) {
    Summary summary;
    std::vector<fs::path> directories;
    for (int copy = 0; copy < copies; ++copy) {
        fs::path treeRoot = root;
        if (copies > 1) {
            treeRoot /= "copy" + std::to_string(copy);
            fs::create_directory(treeRoot);
            directories.push_back(treeRoot);
        }
        std::vector<fs::path> own = BuildDirectories(dice, treeRoot);
        directories.insert(directories.end(), own.begin() + (copies > 1 ? 1 : 0), own.end());
    }
    if (copies > 1) {
        directories.insert(directories.begin(), root);
    }
    const std::uint64_t files = kFilesPerTree * static_cast<std::uint64_t>(copies);
    for (std::uint64_t serial = 0; serial < files; ++serial) {
        const fs::path& directory = directories[dice.Below(directories.size())];
        WriteEmptyFile(directory / FileName(dice, serial));
    }
    std::ofstream(root / "index.lst") << "the parent file of the benchmark requests\n";
    summary.directories = directories.size() - 1;
    summary.files = files + 1;
    // The deepest level of a copy lies one below the copy's own directory.
    summary.planted = LastDirectoryInWalkOrder(root, copies > 1 ? kDepth + 1 : kDepth);
    WritePlantedFiles(summary.planted);
    summary.files += 3;
    return summary;
}

Summary BuildWide(Dice& dice, const fs::path& root) {
    for (std::uint64_t serial = 0; serial < kWideFiles; ++serial) {
        WriteEmptyFile(root / FileName(dice, serial));
    }
    WritePlantedFiles(root);
    return Summary{0, kWideFiles + 3, root};
}

std::string Stamp(const std::string& kind, std::uint64_t seed) {
    return "kind=" + kind + "\nseed=" + std::to_string(seed) + "\n";
}

bool IsComplete(const fs::path& directory, const std::string& stamp) {
    std::ifstream info(directory / "tree.info");
    std::stringstream text;
    text << info.rdbuf();
    return info && text.str().compare(0, stamp.size(), stamp) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: dorvane-bench-tree tree|wide|tree10 DIRECTORY [SEED]\n");
        return 2;
    }
    const std::string kind = argv[1];
    const fs::path target = fs::absolute(argv[2]);
    const std::uint64_t seed = argc == 4 ? std::strtoull(argv[3], nullptr, 10) : 20240611u;
    const std::string stamp = Stamp(kind, seed);
    if (kind != "tree" && kind != "wide" && kind != "tree10") {
        std::fprintf(stderr, "unknown kind %s\n", kind.c_str());
        return 2;
    }
    if (IsComplete(target, stamp)) {
        return 0;
    }
    try {
        const fs::path partial = target.string() + ".partial";
        fs::remove_all(partial);
        fs::remove_all(target);
        fs::create_directories(partial / "root");
        Dice dice(seed);
        Summary summary;
        if (kind == "wide") {
            summary = BuildWide(dice, partial / "root");
        } else {
            summary = BuildTrees(dice, partial / "root", kind == "tree" ? 1 : 10);
        }
        fs::rename(partial, target);
        const fs::path relative = summary.planted.lexically_relative(partial / "root");
        const fs::path planted = relative == "." ? target / "root" : target / "root" / relative;
        std::ofstream(target / "tree.info")
            << stamp << "root=" << (target / "root").string()
            << "\ndirectories=" << summary.directories << "\nfiles=" << summary.files
            << "\nplanted=" << planted.lexically_normal().string() << "\n";
        std::printf("%s: %llu directories, %llu files, report.txt* in %s\n", kind.c_str(),
                    static_cast<unsigned long long>(summary.directories),
                    static_cast<unsigned long long>(summary.files), planted.c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "dorvane-bench-tree: %s\n", error.what());
        return 1;
    }
    return 0;
}
