// The resolver object: its life cycle and the order of the places it tries.

#include <Dorvane/Dorvane.h>

#include <string>

#include "PathText.h"
#include "platform/Platform.h"

using dorvane::Split;
using dorvane::View;

CDorvane::CDorvane() {
    InitializeVariables();
    SubdirectoriesList.SetListTypeString();
}

CDorvane::CDorvane(const CDorvane& other)
    : SubdirectoriesList(other.SubdirectoriesList), ParentFilename(other.ParentFilename) {}

CDorvane::~CDorvane() { SubdirectoriesList.ClearAndDestructElements(); }

CDorvane& CDorvane::operator=(const CDorvane& other) {
    SubdirectoriesList = other.SubdirectoriesList;
    ParentFilename = other.ParentFilename;
    return *this;
}

CVeskString CDorvane::GetParentFilename() { return ParentFilename; }

void CDorvane::SetParentFilename(CVeskString parentFilename) { ParentFilename = parentFilename; }

void CDorvane::InitializeVariables() { ParentFilename = ""; }

CVeskList& CDorvane::GetSubdirectoriesList() { return SubdirectoriesList; }

int CDorvane::GetNumberSubdirectories() { return SubdirectoriesList.GetNumberElements(); }

namespace {

// Place 2: the file's name in the parent's drive and directory; a parent without a
// directory stands for the root of its drive.
std::string CandidateBesideParent(const CVeskString& parent, const std::string& fileName) {
    const dorvane::platform::PathParts parts = Split(parent);
    std::string candidate(parts.drive);
    if (parts.directory.empty()) {
        candidate += dorvane::platform::kSeparator;
    } else {
        candidate.append(parts.directory);
    }
    return candidate + fileName;
}

// Place 3: the file's name in the current directory, whatever its length, without a
// doubled separator at a root. False when the current directory cannot be read.
bool CandidateInCurrentDirectory(const std::string& fileName, std::string& candidate) {
    if (!dorvane::platform::ActiveFileSystem().CurrentDirectory(candidate) || candidate.empty()) {
        return false;
    }
    const dorvane::platform::PathParts parts = dorvane::platform::SplitPath(candidate);
    const bool endsInSeparator =
        parts.name.empty() && parts.extension.empty() && !parts.directory.empty();
    if (!endsInSeparator) {
        candidate += dorvane::platform::kSeparator;
    }
    candidate += fileName;
    return true;
}

}  // namespace

bool CDorvane::ResolveFile(CVeskString& path) {
    if (path.GetLength() <= 0) {
        return false;
    }
    try {
        const std::string fileName = dorvane::FileNameOf(Split(path));
        CVeskString choice;
        if (DetermineIfFileExists(path, choice)) {
            path = choice;
            return true;
        }
        const CVeskString parent = GetParentFilename();
        if (parent.GetLength() > 0 &&
            DetermineIfFileExists(dorvane::ToVeskString(CandidateBesideParent(parent, fileName)),
                                  choice)) {
            path = choice;
            return true;
        }
        std::string candidate;
        if (CandidateInCurrentDirectory(fileName, candidate) &&
            DetermineIfFileExists(dorvane::ToVeskString(candidate), choice)) {
            path = choice;
            return true;
        }
        return DetermineFileInSubdirectories(path);
    } catch (...) {
        // Out of memory is the only thing that can throw here; the host sees a failed
        // call with its path unchanged, and the object is ready for the next one.
        SubdirectoriesList.ClearAndDestructElements();
        return false;
    }
}
