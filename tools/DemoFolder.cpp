// The demo's temporary folder and its removal on an interrupt.

#include "DemoFolder.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>

namespace dorvane::tool {

namespace fs = std::filesystem;

namespace {

// What the interrupt handler removes: the folder's entries in the order they are
// created, of which the first g_Armed may exist. The list is complete before the first
// entry is created, so the handler never sees it change.
std::vector<fs::path> g_Entries;
volatile std::sig_atomic_t g_Armed = 0;

// Ctrl-C, a polite kill, and on POSIX a closed terminal and a reader that went away
// (dorvane-resolve --demo | head -1).
const int kInterrupts[] = {
    SIGINT,
    SIGTERM,
#if defined(SIGHUP)
    SIGHUP,
#endif
#if defined(SIGPIPE)
    SIGPIPE,
#endif
};
using Handler = void (*)(int);
Handler g_Previous[std::size(kInterrupts)];

// Removes the armed entries, deepest first. Nothing here allocates: fs::remove with an
// error code comes down to remove(3), that is unlink or rmdir, which a signal handler
// may call.
void RemoveArmedEntries() {
    for (std::sig_atomic_t i = g_Armed; i > 0; --i) {
        std::error_code ignored;
        fs::remove(g_Entries[static_cast<std::size_t>(i - 1)], ignored);
    }
}

extern "C" void RemoveFolderAndEnd(int signal) {
    RemoveArmedEntries();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

struct Layout {
    std::vector<fs::path> entries;  // root first, each directory before what it holds
    std::vector<bool> isFile;
};

Layout LayoutFor(const fs::path& root, const std::vector<std::string>& files) {
    Layout layout{{root}, {false}};
    for (const std::string& file : files) {
        const fs::path relative = fs::path(file).relative_path();
        fs::path below = root;
        for (const fs::path& part : relative) {
            below /= part;
            bool known = false;
            for (const fs::path& entry : layout.entries) {
                known = known || entry == below;
            }
            if (!known) {
                layout.entries.push_back(below);
                layout.isFile.push_back(below == root / relative);
            }
        }
    }
    return layout;
}

fs::path UnusedLookingName() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    char name[32];
    std::snprintf(name, sizeof name, "dorvane-demo-%08llx",
                  static_cast<unsigned long long>(random() & 0xffffffffULL));
    return fs::absolute(fs::temp_directory_path() / name);
}

}  // namespace

DemoFolder::DemoFolder(const std::vector<std::string>& files) {
    if (!g_Entries.empty()) {
        throw std::runtime_error("only one demo folder at a time");
    }
    for (std::size_t i = 0; i < std::size(kInterrupts); ++i) {
        g_Previous[i] = std::signal(kInterrupts[i], &RemoveFolderAndEnd);
        // A program started with the interrupt ignored (in the background) keeps it so.
        if (g_Previous[i] == SIG_IGN) {
            std::signal(kInterrupts[i], SIG_IGN);
        }
    }
    try {
        Build(files);
    } catch (...) {
        Remove();
        throw;
    }
}

DemoFolder::~DemoFolder() { Remove(); }

std::string DemoFolder::Path(const std::string& relative) const {
    return (m_Root / fs::path(relative).make_preferred()).string();
}

void DemoFolder::Build(const std::vector<std::string>& files) {
    Layout layout;
    for (int attempt = 0; attempt < 100 && g_Armed == 0; ++attempt) {
        m_Root = UnusedLookingName();
        layout = LayoutFor(m_Root, files);
        g_Entries = layout.entries;
        if (fs::create_directory(m_Root)) {
            g_Armed = 1;
        }
    }
    if (g_Armed == 0) {
        throw std::runtime_error("no unused folder name in " + fs::temp_directory_path().string());
    }
    // Each entry is armed before it is made, so that an interrupt while it is being made
    // still takes it away.
    for (std::size_t i = 1; i < g_Entries.size(); ++i) {
        g_Armed = static_cast<std::sig_atomic_t>(i + 1);
        const fs::path& entry = g_Entries[i];
        if (!layout.isFile[i]) {
            fs::create_directory(entry);
            continue;
        }
        std::ofstream file(entry);
        file << fs::relative(entry, m_Root).generic_string() << '\n';
        if (!file.flush()) {
            throw std::runtime_error("cannot write " + entry.string());
        }
    }
}

// Removes the whole folder, also what someone else put into it, while an interrupt would
// still remove the rest; then gives the interrupts back.
void DemoFolder::Remove() {
    if (g_Armed > 0) {
        std::error_code ignored;
        fs::remove_all(m_Root, ignored);
    }
    g_Armed = 0;
    for (std::size_t i = 0; i < std::size(kInterrupts); ++i) {
        std::signal(kInterrupts[i], g_Previous[i]);
    }
    g_Entries.clear();
}

}  // namespace dorvane::tool
