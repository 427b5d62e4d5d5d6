#ifndef DORVANE_TESTS_TEMPTREE_H
#define DORVANE_TESTS_TEMPTREE_H

#include <filesystem>
#include <string>
#include <vector>

namespace dorvane::test {

// The separator the resolver writes where it joins paths.
#if defined(_WIN32)
inline constexpr char kSep = '\\';
#else
inline constexpr char kSep = '/';
#endif

// A real temporary directory, removed with everything below it when the tree goes.
// Paths given to its members are relative to the root and use "/".
class TempTree {
public:
    TempTree();
    // A tree below base instead of the system's temporary directory.
    explicit TempTree(const std::filesystem::path& base);
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& Root() const { return m_Root; }

    // The root (or relative inside it) as the resolver's users spell a directory: in
    // the platform's own form, ending in the platform's separator.
    std::string Dir(const std::string& relative = "") const;
    // A path below the root in the platform's own form.
    std::string Path(const std::string& relative) const;

    // Creates a file holding one line, with its parent directories.
    void File(const std::string& relative) const;
    void Files(const std::vector<std::string>& relatives) const;
    void Directory(const std::string& relative) const;

    // The entry names of a directory in the order the file system lists them.
    std::vector<std::string> ListingOrder(const std::string& relative = "") const;

private:
    std::filesystem::path m_Root;
};

// Sets the process's current directory for one scope and restores it afterwards.
class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const std::filesystem::path& directory);
    ~ScopedCurrentDirectory();

private:
    std::filesystem::path m_Previous;
};

}  // namespace dorvane::test

#endif
