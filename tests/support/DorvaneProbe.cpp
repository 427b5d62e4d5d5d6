#include "DorvaneProbe.h"

#include <VeskUtility/VeskListIterator.h>

namespace dorvane::test {

std::vector<std::string> DorvaneProbe::Subdirectories() {
    std::vector<std::string> elements;
    for (CVeskListIterator it(&GetSubdirectoriesList()); *it != nullptr; it++) {
        elements.emplace_back(static_cast<const char*>(*static_cast<CVeskString*>(*it)));
    }
    return elements;
}

void DorvaneProbe::AddSubdirectory(const std::string& directory) {
    CVeskString element(directory.c_str());
    GetSubdirectoriesList().ConstructAndAddElement(&element);
}

std::string Lookup(DorvaneProbe& probe, const std::string& path) {
    CVeskString result("untouched");
    const bool found = probe.DetermineIfFileExists(CVeskString(path.c_str()), result);
    const std::string text(result);
    // A failed lookup always leaves an empty result; a successful one never does.
    return found == !text.empty() ? text : "<inconsistent: " + text + ">";
}

Resolution Resolve(const std::string& path, const std::string& parent) {
    CDorvane resolver;
    if (!parent.empty()) {
        resolver.SetParentFilename(CVeskString(parent.c_str()));
    }
    CVeskString text(path.c_str());
    const bool found = resolver.ResolveFile(text);
    return Resolution{found, std::string(text)};
}

}  // namespace dorvane::test
