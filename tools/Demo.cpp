// --demo: the resolver at work on a stale reference, in a folder of its own.

#include "Demo.h"

#include <Dorvane/Dorvane.h>

#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "DemoFolder.h"

namespace dorvane::tool {

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kFiles = {
    "proj/index.lst",
    "proj/table.dat.1",
    "proj/table.dat.3",
    "proj/other.dat",
    "proj/archive/2019/legend.txt",
};

struct Case {
    const char* title;
    const char* request;   // relative to the folder
    const char* expected;  // relative to the folder; null: not found
    const char* why;
};

const Case kCases[] = {
    {"The directory is gone; the parent's directory holds numbered versions.", "old/data/table.dat",
     "proj/table.dat.3", "table.dat.3 beats table.dat.1; other.dat is not a version of table.dat"},
    {"Neither the old directory nor the parent's holds the file.", "old/data/legend.txt",
     "proj/archive/2019/legend.txt", "found by the search below the parent's directory"},
    {"The file is nowhere.", "old/data/summary.dat", nullptr,
     "ResolveFile returns false and leaves the path as it was"},
};

// The process's current directory for one scope: the folder itself, so that whatever
// lies in the caller's directory plays no part in the results.
class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const fs::path& directory) : m_Previous(fs::current_path()) {
        fs::current_path(directory);
    }
    ~ScopedCurrentDirectory() {
        std::error_code ignored;
        fs::current_path(m_Previous, ignored);
    }
    ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
    ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;

private:
    fs::path m_Previous;
};

void ShowFolder(std::FILE* out, const DemoFolder& folder) {
    std::fprintf(out, "A stale reference, relinked by Dorvane %s. The demo folder:\n  %s\n",
                 DORVANE_VERSION, folder.Root().string().c_str());
    for (const std::string& file : kFiles) {
        std::fprintf(out, "    %s%s\n", file.c_str(),
                     file == kFiles.front() ? "  (the parent file)" : "");
    }
    std::fprintf(out, "  and no old/data/ any more: each request below names a file there.\n");
    // Shown at once, so that a reader sees the folder while it exists.
    std::fflush(out);
}

// Resolves one case and shows it; true when the result is the expected one.
bool ShowCase(std::FILE* out, int number, const Case& c, const DemoFolder& folder) {
    const std::string request = folder.Path(c.request);
    const std::string parent = folder.Path(kFiles.front());
    CDorvane resolver;
    resolver.SetParentFilename(parent.c_str());
    CVeskString path(request.c_str());
    const bool found = resolver.ResolveFile(path);

    std::fprintf(out, "\n%d. %s\n   request  %s\n   parent   %s\n", number, c.title,
                 request.c_str(), parent.c_str());
    if (found) {
        std::fprintf(out, "   result   %s\n", static_cast<const char*>(path));
    } else {
        std::fprintf(out, "   result   not found, path still %s\n", static_cast<const char*>(path));
    }
    const bool expected =
        c.expected != nullptr
            ? found && fs::path(static_cast<const char*>(path)) == fs::path(folder.Path(c.expected))
            : !found && request == static_cast<const char*>(path);
    std::fprintf(out, "            %s\n", expected ? c.why : "UNEXPECTED: this is a fault");
    std::fflush(out);
    return expected;
}

}  // namespace

int RunDemo(std::FILE* out, std::FILE* err) {
    std::string root;
    bool allExpected = true;
    try {
        const DemoFolder folder(kFiles);
        root = folder.Root().string();
        ShowFolder(out, folder);
        const ScopedCurrentDirectory inside(folder.Root());
        int number = 0;
        for (const Case& c : kCases) {
            allExpected = ShowCase(out, ++number, c, folder) && allExpected;
        }
    } catch (const std::exception& error) {
        std::fprintf(err, "dorvane-resolve: --demo: %s\n", error.what());
        return 1;
    }
    std::fprintf(out, "\nRemoved %s again.\n", root.c_str());
    std::fprintf(out, "Your own paths: dorvane-resolve [--parent FILE] PATH...  (see --help)\n");
    return allExpected ? 0 : 1;
}

}  // namespace dorvane::tool
