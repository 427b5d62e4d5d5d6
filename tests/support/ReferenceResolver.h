#ifndef DORVANE_TESTS_REFERENCERESOLVER_H
#define DORVANE_TESTS_REFERENCERESOLVER_H

// A plain, slow resolver written step by step from the description of the behaviour,
// with the project's deliberate departures and its POSIX adaptation, and nothing of the
// library's own code: every directory search lists the whole directory again, the
// subdirectory search recurses and lists the whole tree before the first lookup. The
// differential tests hold the library against it on generated trees.

#include <set>
#include <string>
#include <vector>

namespace dorvane::test {

class ReferenceResolver {
public:
    void SetParentFilename(const std::string& parent) { m_Parent = parent; }

    // ResolveFile: true and path rewritten, or false and path unchanged.
    bool ResolveFile(std::string& path);

    bool DetermineIfFileExists(const std::string& path, std::string& result);
    bool GenerateSubdirectoriesList(const std::string& directory);
    bool DetermineFileInSubdirectories(std::string& path);

    // The subdirectory list, which a derived class may fill beforehand.
    std::vector<std::string>& SubdirectoriesList() { return m_List; }

private:
    bool GenerateLevel(const std::string& directory);

    std::string m_Parent;
    std::vector<std::string> m_List;
    std::set<std::string> m_Entered;  // canonical paths of the directories entered
};

}  // namespace dorvane::test

#endif
