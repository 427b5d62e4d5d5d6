#include "TempTree.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace dorvane::test {

namespace fs = std::filesystem;

TempTree::TempTree() : TempTree(fs::temp_directory_path()) {}

TempTree::TempTree(const fs::path& base) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / ("dorvane-test-" + std::to_string(random()));
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            // Readable by everyone, so that tests that drop privileges can enter it.
            fs::permissions(candidate, fs::perms(0755), error);
            m_Root = fs::canonical(candidate);
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary directory");
}

TempTree::~TempTree() {
    std::error_code error;
    // Give back permissions that a test took away, so that everything can be removed.
    for (auto it = fs::recursive_directory_iterator(
             m_Root, fs::directory_options::skip_permission_denied, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (!it->is_symlink()) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
        }
    }
    fs::remove_all(m_Root, error);
}

std::string TempTree::Path(const std::string& relative) const {
    return (m_Root / fs::path(relative).make_preferred()).string();
}

std::string TempTree::Dir(const std::string& relative) const {
    std::string directory = relative.empty() ? m_Root.string() : Path(relative);
    if (directory.back() != kSep) {
        directory += kSep;
    }
    return directory;
}

void TempTree::File(const std::string& relative) const {
    const fs::path path = m_Root / fs::path(relative);
    fs::create_directories(path.parent_path());
    std::ofstream(path) << relative << '\n';
}

void TempTree::Files(const std::vector<std::string>& relatives) const {
    for (const std::string& relative : relatives) {
        File(relative);
    }
}

void TempTree::Directory(const std::string& relative) const {
    fs::create_directories(m_Root / fs::path(relative));
}

std::vector<std::string> TempTree::ListingOrder(const std::string& relative) const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(m_Root / fs::path(relative))) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

ScopedCurrentDirectory::ScopedCurrentDirectory(const fs::path& directory)
    : m_Previous(fs::current_path()) {
    fs::current_path(directory);
}

ScopedCurrentDirectory::~ScopedCurrentDirectory() {
    std::error_code error;
    fs::current_path(m_Previous, error);
}

}  // namespace dorvane::test
