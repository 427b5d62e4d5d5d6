// The last place: every directory below the base directory, depth first.

#include <Dorvane/Dorvane.h>
#include <VeskUtility/VeskListIterator.h>

#include <algorithm>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "PathText.h"
#include "platform/Platform.h"

using dorvane::Split;
using dorvane::View;

namespace dorvane {

namespace {

struct IdentityHash {
    std::size_t operator()(const platform::FileIdentity& identity) const {
        return std::hash<std::uint64_t>()(identity.node * 31u + identity.volume);
    }
};

// Lists the directory that a search pattern (a directory followed by "*.*") names.
// listedDirectory receives the pattern's drive and directory, which every entry's path
// is built on.
bool ListPattern(const std::string& pattern, std::string& listedDirectory,
                 platform::DirectoryListing& listing) {
    const platform::PathParts parts = platform::SplitPath(pattern);
    listedDirectory = DirectoryOf(parts);
    return platform::ActiveFileSystem().ListDirectory(listedDirectory, FileNameOf(parts), listing);
}

// The path of the subdirectory that entry names in listedDirectory, ending in the
// platform's separator; for "." and ".." the listed directory itself.
std::string SubdirectoryPath(const std::string& listedDirectory, std::string_view entryName) {
    const std::string fullPath = listedDirectory + std::string(entryName);
    const platform::PathParts parts = platform::SplitPath(fullPath);
    std::string subdirectory = DirectoryOf(parts);
    const std::string ownName = FileNameOf(parts);
    if (!ownName.empty() && ownName != "." && ownName != "..") {
        subdirectory += ownName;
        subdirectory += platform::kSeparator;
    }
    return subdirectory;
}

// Gathers every directory below a start directory in depth-first pre-order: each
// subdirectory comes directly before everything below it, siblings in the order the
// file system lists them. The walk keeps its own stack of pending directories and reads
// each listing whole, so neither the thread's stack nor the number of open descriptors
// limits the depth; and it enters each directory at most once, so link cycles end.
class SubdirectoryWalk {
public:
    explicit SubdirectoryWalk(CVeskList& list) : m_List(list) {}

    // Adds the subdirectories below directory; true when one of directory's own
    // subdirectories was added.
    bool Run(const std::string& directory) {
        platform::DirectoryListing listing;
        std::string listedDirectory;
        if (!ListPattern(directory + "*.*", listedDirectory, listing)) {
            return false;
        }
        MarkEntered(listing);
        PushSubdirectories(directory, listedDirectory, listing, /*topLevel=*/true);
        bool addedTopLevel = false;
        while (!m_Pending.empty()) {
            Pending next = std::move(m_Pending.back());
            m_Pending.pop_back();
            addedTopLevel |= Visit(next) && next.topLevel;
        }
        return addedTopLevel;
    }

private:
    struct Pending {
        std::string directory;
        bool topLevel;
    };

    // Lists one pending directory and, unless it was entered already by another path,
    // adds it to the list and queues its subdirectories. A directory that cannot be
    // listed is still added: it merely has nothing below it.
    bool Visit(const Pending& pending) {
        platform::DirectoryListing listing;
        std::string listedDirectory;
        const bool listed = ListPattern(pending.directory + "*.*", listedDirectory, listing);
        if (listed && !MarkEntered(listing)) {
            return false;
        }
        CVeskString element = ToVeskString(pending.directory);
        m_List.ConstructAndAddElement(&element);
        if (listed) {
            PushSubdirectories(pending.directory, listedDirectory, listing, false);
        }
        return true;
    }

    // Queues the subdirectories of one listing so that they come off the stack in
    // listing order.
    void PushSubdirectories(const std::string& directory, const std::string& listedDirectory,
                            const platform::DirectoryListing& listing, bool topLevel) {
        const std::size_t firstNew = m_Pending.size();
        for (std::size_t i = 0; i < listing.Size(); ++i) {
            if (listing.Kind(i) != platform::EntryKind::Directory) {
                continue;
            }
            std::string subdirectory = SubdirectoryPath(listedDirectory, listing.Name(i));
            if (subdirectory != directory) {
                m_Pending.push_back(Pending{std::move(subdirectory), topLevel});
            }
        }
        std::reverse(m_Pending.begin() + static_cast<std::ptrdiff_t>(firstNew), m_Pending.end());
    }

    // Records that the listed directory is entered; false when it was entered before.
    bool MarkEntered(const platform::DirectoryListing& listing) {
        return !listing.HasIdentity() || m_Entered.insert(listing.Identity()).second;
    }

    CVeskList& m_List;
    std::vector<Pending> m_Pending;
    std::unordered_set<platform::FileIdentity, IdentityHash> m_Entered;
};

}  // namespace

}  // namespace dorvane

bool CDorvane::GenerateSubdirectoriesList(CVeskString directory) {
    if (directory.GetLength() <= 0) {
        return false;
    }
    return dorvane::SubdirectoryWalk(SubdirectoriesList).Run(std::string(View(directory)));
}

bool CDorvane::DetermineFileInSubdirectories(CVeskString& path) {
    if (path.GetLength() <= 0) {
        return false;
    }
    const dorvane::platform::PathParts parts = Split(path);
    const std::string fileName = dorvane::FileNameOf(parts);
    std::string base = dorvane::DirectoryOf(parts);
    const CVeskString parent = GetParentFilename();
    if (parent.GetLength() > 0) {
        base = dorvane::DirectoryOf(Split(parent));  // may be empty: then nothing is searched
    }
    bool found = false;
    if (GenerateSubdirectoriesList(dorvane::ToVeskString(base)) && GetNumberSubdirectories() > 0) {
        for (CVeskListIterator it(&SubdirectoriesList); *it != nullptr; it++) {
            CVeskString& subdirectory = *static_cast<CVeskString*>(*it);
            if (subdirectory.GetLength() <= 0) {
                continue;
            }
            // The element itself receives the lookup's choice, or the empty string.
            if (DetermineIfFileExists(subdirectory + fileName.c_str(), subdirectory)) {
                path = subdirectory;
                found = true;
                break;
            }
        }
        ClearSubdirectoriesList();
    }
    return found;
}

void CDorvane::ClearSubdirectoriesList() { SubdirectoriesList.ClearAndDestructElements(); }

bool CDorvane::DirectoryIsDots(CVeskString name) {
    return name.GetLength() > 0 && (name == "." || name == "..");
}
