// The last place: every directory below the base directory, depth first.

#include <Dorvane/Dorvane.h>
#include <VeskUtility/VeskListIterator.h>

#include <functional>
#include <string>
#include <vector>

#include "IdentitySet.h"
#include "PathText.h"
#include "VersionedLookup.h"
#include "platform/Platform.h"

using dorvane::Split;
using dorvane::View;

namespace dorvane {

namespace {

// Keeps what a walk descends into: the directories.
class DirectoryFilter final : public platform::EntryFilter {
public:
    bool Keep(std::string_view, platform::EntryKind kind) const override {
        return kind == platform::EntryKind::Directory;
    }
};

// Keeps the directories and the entries that could be the file searched for, so that
// one listing of each directory serves both the walk and the lookup in it.
class DirectoryOrCandidateFilter final : public platform::EntryFilter {
public:
    explicit DirectoryOrCandidateFilter(std::string_view upperTarget) : m_Candidates(upperTarget) {}
    bool Keep(std::string_view name, platform::EntryKind kind) const override {
        return kind == platform::EntryKind::Directory || m_Candidates.Keep(name, kind);
    }

private:
    CandidateFilter m_Candidates;
};

bool IsDots(std::string_view name) { return name == "." || name == ".."; }

// Visits every directory below a start directory in depth-first pre-order: each
// subdirectory comes directly before everything below it, siblings in the order the
// file system lists them. The walk keeps its own stack of pending names and reads each
// listing whole, so neither the thread's stack nor the number of open descriptors
// limits the depth; it enters each directory at most once, so link cycles end; and each
// directory is listed once, through a filter that keeps only what the caller needs.
class SubdirectoryWalk {
public:
    explicit SubdirectoryWalk(const platform::EntryFilter& filter) : m_Filter(filter) {}

    // Calls visit(directory, listing) for every directory that the walk adds, in the
    // order of the list it stands for: directory ends in the platform's separator, and
    // listing holds the entries the filter kept, or is null when the directory could not
    // be listed (it is added all the same, with nothing below it). visit returns false to
    // end the walk. Returns true when one of start's own subdirectories was added.
    template <typename Visitor>
    bool Run(const std::string& start, Visitor&& visit) {
        const std::string pattern = start + "*.*";
        const platform::PathParts parts = platform::SplitPath(pattern);
        m_Path = DirectoryOf(parts);
        if (!List(FileNameOf(parts))) {
            return false;
        }
        MarkEntered();
        PushSubdirectories(start);
        bool addedTopLevel = false;
        while (!m_Frames.empty()) {
            Frame& frame = m_Frames.back();
            if (frame.nextChild == frame.endChild) {
                PopFrame();
                continue;
            }
            const Child child = m_Children[frame.nextChild++];
            m_Path.resize(frame.pathLength);
            if (!child.isListedDirectory) {
                m_Path.append(m_Names, child.offset, child.length);
                m_Path += platform::kSeparator;
            }
            const bool topLevel = m_Frames.size() == 1;
            const bool listed = List("*.*");
            if (listed && !MarkEntered()) {
                continue;  // reached before by another path
            }
            addedTopLevel |= topLevel;
            if (!visit(static_cast<const std::string&>(m_Path), listed ? &m_Listing : nullptr)) {
                return true;
            }
            if (listed) {
                PushSubdirectories(m_Path);
            }
        }
        return addedTopLevel;
    }

private:
    // A subdirectory still to be visited: its name in m_Names, or, for "." and ".." of
    // a start whose listed directory differs from it, the listed directory itself.
    struct Child {
        std::size_t offset;
        std::size_t length;
        bool isListedDirectory;
    };
    // One listed directory whose subdirectories are being visited.
    struct Frame {
        std::size_t pathLength;  // of the directory's path in m_Path
        std::size_t namesLength;
        std::size_t firstChild;
        std::size_t nextChild;
        std::size_t endChild;
    };

    // Lists m_Path with the walk's filter into m_Listing.
    bool List(std::string_view namePattern) {
        return platform::ActiveFileSystem().ListDirectory(m_Path, namePattern, m_Listing,
                                                          &m_Filter);
    }

    // Records that the listed directory is entered; false when it was entered before.
    bool MarkEntered() {
        return !m_Listing.HasIdentity() || m_Entered.Insert(m_Listing.Identity());
    }

    // Queues the subdirectories of the directory just listed (m_Path, which directory
    // was listed as). An entry's path is the listed directory, the entry's name and a
    // separator; for "." and ".." it is the listed directory alone. Paths equal to
    // directory itself are left out.
    void PushSubdirectories(std::string_view directory) {
        const std::size_t firstChild = m_Children.size();
        const Frame frame{m_Path.size(), m_Names.size(), firstChild, firstChild, firstChild};
        for (std::size_t i = 0; i < m_Listing.Size(); ++i) {
            if (m_Listing.Kind(i) != platform::EntryKind::Directory) {
                continue;
            }
            const std::string_view name = m_Listing.Name(i);
            if (IsDots(name)) {
                if (std::string_view(m_Path) != directory) {
                    m_Children.push_back(Child{0, 0, true});
                }
                continue;
            }
            const bool isDirectoryItself = directory.size() == m_Path.size() + name.size() + 1 &&
                                           directory.substr(0, m_Path.size()) == m_Path &&
                                           directory.substr(m_Path.size(), name.size()) == name &&
                                           directory.back() == platform::kSeparator;
            if (!isDirectoryItself) {
                m_Children.push_back(Child{m_Names.size(), name.size(), false});
                m_Names.append(name);
            }
        }
        if (m_Children.size() > frame.endChild) {
            m_Frames.push_back(frame);
            m_Frames.back().endChild = m_Children.size();
        }
    }

    void PopFrame() {
        const Frame& frame = m_Frames.back();
        m_Children.resize(frame.firstChild);
        m_Names.resize(frame.namesLength);
        m_Frames.pop_back();
    }

    const platform::EntryFilter& m_Filter;
    platform::DirectoryListing m_Listing;
    std::string m_Path;   // the directory being visited
    std::string m_Names;  // the names of the pending subdirectories, frame after frame
    std::vector<Child> m_Children;
    std::vector<Frame> m_Frames;
    IdentitySet m_Entered;
};

}  // namespace

}  // namespace dorvane

bool CDorvane::GenerateSubdirectoriesList(CVeskString directory) {
    if (directory.GetLength() <= 0) {
        return false;
    }
    const dorvane::DirectoryFilter filter;
    return dorvane::SubdirectoryWalk(filter).Run(
        std::string(View(directory)),
        [this](const std::string& subdirectory, const dorvane::platform::DirectoryListing*) {
            CVeskString element = dorvane::ToVeskString(subdirectory);
            SubdirectoriesList.ConstructAndAddElement(&element);
            return true;
        });
}

// The written search lists the whole tree into SubdirectoriesList and then looks up the
// file in each element, in list order. This one gives the same result while reading
// each directory once: the walk visits the directories in list order, and the entries
// it keeps of each are those the lookup there would consider, so the first directory
// that holds a readable candidate ends the walk. The list's own elements, which only a
// derived class can have left there, come first in it: they are looked up the ordinary
// way, once the walk has shown that it adds something, as the written search walks the
// list only then. The list is emptied whenever a walk took place.
bool CDorvane::DetermineFileInSubdirectories(CVeskString& path) {
    if (path.GetLength() <= 0) {
        return false;
    }
    const dorvane::platform::PathParts parts = Split(path);
    const std::string fileName = dorvane::FileNameOf(parts);
    const std::string target = dorvane::TargetName(parts.name, parts.extension);
    std::string base = dorvane::DirectoryOf(parts);
    const CVeskString parent = GetParentFilename();
    if (parent.GetLength() > 0) {
        base = dorvane::DirectoryOf(Split(parent));  // may be empty: then nothing is searched
    }
    if (base.empty()) {
        return false;
    }
    const auto searchLeftovers = [this, &fileName](CVeskString& choice) {
        for (CVeskListIterator it(&SubdirectoriesList); *it != nullptr; it++) {
            CVeskString& subdirectory = *static_cast<CVeskString*>(*it);
            if (subdirectory.GetLength() <= 0) {
                continue;
            }
            // The element itself receives the lookup's choice, or the empty string.
            if (DetermineIfFileExists(subdirectory + fileName.c_str(), subdirectory)) {
                choice = subdirectory;
                return true;
            }
        }
        return false;
    };
    const dorvane::DirectoryOrCandidateFilter filter(target);
    CVeskString choice;
    bool walked = false;
    bool found = false;
    dorvane::SubdirectoryWalk(filter).Run(
        base,
        [&](const std::string& subdirectory, const dorvane::platform::DirectoryListing* listing) {
            if (!walked) {
                walked = true;
                if (GetNumberSubdirectories() > 0 && searchLeftovers(choice)) {
                    found = true;
                    return false;
                }
            }
            found = listing != nullptr &&
                    dorvane::ChooseReadableCandidate(subdirectory, *listing, choice);
            return !found;
        });
    if (walked) {
        ClearSubdirectoriesList();
    }
    if (found) {
        path = choice;
    }
    return found;
}

void CDorvane::ClearSubdirectoriesList() { SubdirectoriesList.ClearAndDestructElements(); }

bool CDorvane::DirectoryIsDots(CVeskString name) {
    return name.GetLength() > 0 && (name == "." || name == "..");
}
