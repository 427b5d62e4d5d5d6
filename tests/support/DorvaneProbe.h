#ifndef DORVANE_TESTS_DORVANEPROBE_H
#define DORVANE_TESTS_DORVANEPROBE_H

#include <Dorvane/Dorvane.h>

#include <string>
#include <vector>

namespace dorvane::test {

// A derived class, as a host would write one, that reaches the protected building
// blocks. Linking it against the shared library also proves they are exported.
class DorvaneProbe : public CDorvane {
public:
    using CDorvane::ClearSubdirectoriesList;
    using CDorvane::DetermineFileInSubdirectories;
    using CDorvane::DetermineIfFileExists;
    using CDorvane::DirectoryIsDots;
    using CDorvane::FileExists;
    using CDorvane::GenerateSubdirectoriesList;
    using CDorvane::GetCompleteFilePath;
    using CDorvane::GetNumberSubdirectories;
    using CDorvane::GetSubdirectoriesList;

    // The subdirectory list's elements, in list order.
    std::vector<std::string> Subdirectories();
    void AddSubdirectory(const std::string& directory);
};

// Runs one lookup and returns its result, "" on failure (which the lookup reports as
// an empty result too).
std::string Lookup(DorvaneProbe& probe, const std::string& path);

// Resolves path with an optional parent; returns the path afterwards and whether the
// call succeeded.
struct Resolution {
    bool found;
    std::string path;
};
Resolution Resolve(const std::string& path, const std::string& parent = "");

}  // namespace dorvane::test

#endif
