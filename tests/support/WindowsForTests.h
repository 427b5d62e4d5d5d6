#ifndef DORVANE_TESTS_WINDOWSFORTESTS_H
#define DORVANE_TESTS_WINDOWSFORTESTS_H

// What only Windows tests need from the system: holding a file open the way another
// program locks it, and reading a module's version block.

#if defined(_WIN32)

#include <string>

namespace dorvane::test {

// Holds a file open for one scope without sharing it for reading, so that no one else
// can open it for reading meanwhile.
class ScopedUnsharedOpen {
public:
    explicit ScopedUnsharedOpen(const std::string& path);
    ~ScopedUnsharedOpen();
    ScopedUnsharedOpen(const ScopedUnsharedOpen&) = delete;
    ScopedUnsharedOpen& operator=(const ScopedUnsharedOpen&) = delete;

    bool IsOpen() const;

private:
    void* m_Handle;
};

// The ANSI code page, in which the resolver's names are spelt.
unsigned AnsiCodePage();

// The file of a module loaded into this process; empty when it is not loaded.
std::string LoadedModuleFile(const std::string& moduleName);

// A module's version block as the system reads it: the fixed file and product versions
// as four numbers "a.b.c.d", and the string values FileVersion and ProductVersion of
// its first translation.
struct VersionBlock {
    std::string fixedFileVersion;
    std::string fixedProductVersion;
    std::string fileVersion;
    std::string productVersion;
};

// Reads the version block of file with GetFileVersionInfoA; false when it has none.
bool ReadVersionBlock(const std::string& file, VersionBlock& block);

}  // namespace dorvane::test

#endif
#endif
