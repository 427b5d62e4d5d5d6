// ResolveFile on a fixed fixture tree with fuzzed request and parent paths. Whatever the
// paths, the call must not crash, a failure must leave the path as it was, and a success
// must name an existing regular file inside the fixture whose name is the requested
// name or a numbered version of it.
//
// Input: a byte that anchors the request and the parent (relative to the current
// directory, which lies in the fixture, or below the fixture's root with either
// separator), then the request and the parent. Inputs whose paths could lawfully lead
// out of the fixture are passed over: a ".." above its root, an absolute path of their
// own, or a parent without a directory (its place is the root of the file system).

#include <fuzzer/FuzzedDataProvider.h>

#include <Dorvane/Dorvane.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "platform/PathSplit.h"

namespace {

namespace fs = std::filesystem;
using dorvane::fuzz::Check;

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

// The fixture: a few directories with files, numbered versions, names that only look
// like candidates (a directory, a pipe, a dangling link) and a link to a directory at
// the same depth, so that ".." through it stays as deep as it reads. The current
// directory is <root>/cwd.
class Fixture {
public:
    Fixture() {
        char pattern[] = "/tmp/dorvane-fuzz-XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            std::abort();
        }
        m_Root = fs::canonical(pattern).string();
        for (const char* file : {"cwd/report.txt",
                                 "cwd/notes",
                                 "proj/index.lst",
                                 "proj/table.dat.1",
                                 "proj/table.dat.3",
                                 "proj/other.dat",
                                 "proj/REPORT.TXT.7",
                                 "proj/sub/report.txt",
                                 "proj/sub/report.txt.10",
                                 "proj/sub/deeper/table.dat.20",
                                 "proj/sub/deeper/.dat",
                                 "data/archive.7z",
                                 "data/archive.7z.3",
                                 "data/inner/x.y.z",
                                 "data/.cache",
                                 "data/a b.c",
                                 "data/star*.txt",
                                 "data/what?.txt",
                                 "data/back\\slash.txt",
                                 "data/\xC3\xA9t\xE9.txt",
                                 "data/line\nbreak.txt"}) {
            const fs::path path = fs::path(m_Root) / file;
            fs::create_directories(path.parent_path());
            std::ofstream(path) << file << '\n';
        }
        fs::create_directories(fs::path(m_Root) / "proj/sub/dir.dat");
        mkfifo((m_Root + "/proj/sub/pipe.dat").c_str(), 0644);
        fs::create_symlink("table.dat.3", fs::path(m_Root) / "proj/link.dat");
        fs::create_symlink("missing.dat", fs::path(m_Root) / "proj/dangling.dat");
        fs::create_directory_symlink(fs::path(m_Root) / "data/inner",
                                     fs::path(m_Root) / "proj/tosub");
        fs::current_path(fs::path(m_Root) / "cwd");
    }

    ~Fixture() {
        std::error_code error;
        fs::current_path("/", error);
        fs::remove_all(m_Root, error);
    }

    const std::string& Root() const { return m_Root; }

private:
    std::string m_Root;
};

const Fixture& TheFixture() {
    static const Fixture fixture;
    return fixture;
}

// Prefixes path according to anchor: 0 as it is (relative to <root>/cwd), 1 and 2 below
// the root with "/" or "\". False when the path, read as the system reads it, could
// leave the fixture.
bool Anchor(unsigned anchor, std::string& path) {
    int depth = 1;  // <root>/cwd
    if (anchor != 0) {
        path = TheFixture().Root() + (anchor == 1 ? "/" : "\\") + path;
        depth = 0;
    } else if (!path.empty() && IsSeparator(path[0])) {
        return false;
    }
    const std::size_t start = anchor != 0 ? TheFixture().Root().size() + 1 : 0;
    std::size_t begin = start;
    for (std::size_t i = start; i <= path.size(); ++i) {
        if (i < path.size() && !IsSeparator(path[i])) {
            continue;
        }
        const std::string_view component(path.data() + begin, i - begin);
        begin = i + 1;
        if (component.empty() || component == ".") {
            continue;
        }
        depth += component == ".." ? -1 : 1;
        if (depth < 0) {
            return false;
        }
    }
    return true;
}

// The name test: the entry is the requested file, or it with one more extension.
bool IsNameOrVersion(std::string_view entry, std::string_view request) {
    const dorvane::platform::PathParts parts = dorvane::platform::SplitPath(request, nullptr);
    const std::string target = Upper(std::string(parts.name) + std::string(parts.extension));
    const std::string upper = Upper(entry);
    if (upper == target) {
        return true;
    }
    return upper.size() > target.size() && upper.compare(0, target.size(), target) == 0 &&
           upper[target.size()] == '.' && upper.find('.', target.size() + 1) == std::string::npos;
}

void CheckResolution(const std::string& request, const std::string& parent) {
    CDorvane resolver;
    resolver.SetParentFilename(CVeskString(parent.c_str()));
    CVeskString path(request.c_str());
    const bool found = resolver.ResolveFile(path);
    const std::string result(static_cast<const char*>(path),
                             static_cast<std::size_t>(path.GetLength()));
    const dorvane::fuzz::Shown shown = {
        {"request", request}, {"parent", parent}, {"result", result}};
    if (!found) {
        Check(result == request, "a failure leaves the path as it was", shown);
        return;
    }
    // The system reads a backslash as part of a name; the resolver reads it as a separator.
    std::string native = result;
    for (char& c : native) {
        c = c == '\\' ? '/' : c;
    }
    struct stat status;
    Check(stat(native.c_str(), &status) == 0 && S_ISREG(status.st_mode),
          "a success names an existing regular file", shown);
    char real[PATH_MAX];
    Check(realpath(native.c_str(), real) != nullptr &&
              std::string_view(real).substr(0, TheFixture().Root().size() + 1) ==
                  TheFixture().Root() + "/",
          "a success lies inside the fixture", shown);
    const std::size_t lastSeparator = result.find_last_of("/\\");
    const std::string_view entry =
        std::string_view(result).substr(lastSeparator == std::string::npos ? 0 : lastSeparator + 1);
    Check(IsNameOrVersion(entry, request), "a success is the requested name or a version of it",
          shown);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TheFixture();
    if (size == 0) {
        return 0;
    }
    const unsigned anchors = data[0];
    FuzzedDataProvider input(data + 1, size - 1);
    std::string request = input.ConsumeRandomLengthString(4096);
    std::string parent = input.ConsumeRemainingBytesAsString();
    // The companion string ends at a zero byte, as a C string does.
    request.resize(std::char_traits<char>::length(request.c_str()));
    parent.resize(std::char_traits<char>::length(parent.c_str()));
    if (request.empty()) {
        return 0;
    }
    const unsigned parentAnchor = anchors / 3 % 4;  // 3: no parent
    if (!Anchor(anchors % 3, request)) {
        return 0;
    }
    if (parentAnchor == 3 || parent.empty()) {
        parent.clear();
    } else {
        if (!Anchor(parentAnchor, parent)) {
            return 0;
        }
        const dorvane::platform::PathParts parts = dorvane::platform::SplitPath(parent, nullptr);
        if (parts.drive.empty() && parts.directory.empty()) {
            return 0;
        }
    }
    CheckResolution(request, parent);
    return 0;
}
