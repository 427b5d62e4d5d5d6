// The versioned lookup in one directory: which entries stand for the requested file,
// which of them can be read, and which version wins.

#include "VersionedLookup.h"

#include <Dorvane/Dorvane.h>
#include <VeskUtility/VeskListIterator.h>

#include <cstdint>

#include "PathText.h"
#include "platform/VersionScan.h"

namespace dorvane {

namespace {

// A cheap first test of one byte of an entry's name against the upper-cased target: it
// never rejects a byte that upper-cases to the target's byte, and rejects most others.
// Bytes beyond ASCII are left to the platform's upper-casing.
bool MayUpperCaseTo(char raw, char upper) {
    const auto r = static_cast<unsigned char>(raw);
    const auto u = static_cast<unsigned char>(upper);
    return r == u || r >= 0x80 || u >= 0x80 || (r >= 'a' && r <= 'z' && r - 'a' + 'A' == u);
}

// True when text, upper-cased as the platform compares names, equals upperTarget of
// the same length.
bool UpperCaseEquals(std::string_view text, std::string_view upperTarget) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!MayUpperCaseTo(text[i], upperTarget[i])) {
            return false;
        }
    }
    constexpr std::size_t kShortName = 256;
    char shortCopy[kShortName];
    std::string longCopy;
    char* copy = shortCopy;
    if (text.size() > kShortName) {
        longCopy.assign(text);
        copy = &longCopy[0];
    } else {
        text.copy(shortCopy, text.size());
    }
    platform::MakeNameUpper(copy, text.size());
    return std::string_view(copy, text.size()) == upperTarget;
}

}  // namespace

std::string TargetName(std::string_view name, std::string_view extension) {
    std::string target(name);
    target.append(extension);
    platform::MakeNameUpper(&target[0], target.size());
    return target;
}

bool IsTargetOrVersion(std::string_view entryName, std::string_view upperTarget) {
    const std::size_t targetLength = upperTarget.size();
    if (entryName.size() < targetLength) {
        return false;
    }
    if (entryName.size() > targetLength) {
        // Only a version can match: the entry's last extension must start right where
        // the target ends.
        if (entryName[targetLength] != '.' ||
            platform::SplitEntryName(entryName).name.size() != targetLength) {
            return false;
        }
    }
    return UpperCaseEquals(entryName.substr(0, targetLength), upperTarget);
}

namespace {

// Adds to candidates, in listing order, directory + name of every entry of listing that
// is not a directory and opens for reading.
void AddReadableCandidates(std::string_view directory, const platform::DirectoryListing& listing,
                           CVeskList& candidates) {
    platform::FileSystem& fileSystem = platform::ActiveFileSystem();
    for (std::size_t i = 0; i < listing.Size(); ++i) {
        if (listing.Kind(i) == platform::EntryKind::Directory) {
            continue;
        }
        std::string fullPath(directory);
        fullPath.append(listing.Name(i));
        if (fileSystem.CanOpenForReading(fullPath)) {
            CVeskString candidate = ToVeskString(fullPath);
            candidates.ConstructAndAddElement(&candidate);
        }
    }
}

// The sole candidate, else the first with the highest version; the first one when no
// candidate has a version of 0 or more.
const CVeskString* NewestVersion(CVeskList& candidates) {
    const CVeskString* chosen = static_cast<CVeskString*>(candidates.GetFirstElementData());
    if (candidates.GetNumberElements() > 1) {
        std::int32_t best = -1;
        for (CVeskListIterator it(&candidates); *it != nullptr; it++) {
            const CVeskString* candidate = static_cast<CVeskString*>(*it);
            std::string_view extension = Split(*candidate).extension;
            if (extension.empty()) {
                continue;  // a name without extension carries no version
            }
            extension.remove_prefix(1);
            std::int32_t version = 0;
            platform::ScanVersion(extension, version);
            if (version > best) {
                chosen = candidate;
                best = version;
            }
        }
    }
    return chosen;
}

}  // namespace

bool ChooseReadableCandidate(std::string_view directory, const platform::DirectoryListing& listing,
                             CVeskString& result) {
    CVeskList candidates;
    candidates.SetListTypeString();
    AddReadableCandidates(directory, listing, candidates);
    const CVeskString* chosen = NewestVersion(candidates);
    if (chosen == nullptr) {
        return false;  // success only with a stored candidate: never an empty result
    }
    result = *chosen;
    candidates.ClearAndDestructElements();
    return true;
}

}  // namespace dorvane

using dorvane::Split;
using dorvane::View;

bool CDorvane::DetermineIfFileExists(CVeskString path, CVeskString& result) {
    result = "";
    if (path.GetLength() <= 0) {
        return false;
    }
    const dorvane::platform::PathParts parts = Split(path);
    const std::string directory = dorvane::DirectoryOf(parts);
    if (directory.empty()) {
        return false;  // a bare name: this lookup never falls back on the current directory
    }
    // Every name that contains the extension, or every name when there is none; the
    // name test decides, and since every name it accepts matches the pattern too, the
    // listing may apply it first.
    const std::string namePattern =
        parts.extension.empty() ? std::string("*.*") : "*" + std::string(parts.extension) + "*";
    const std::string target = dorvane::TargetName(parts.name, parts.extension);

    dorvane::platform::DirectoryListing listing;
    const dorvane::CandidateFilter filter(target);
    return dorvane::platform::ActiveFileSystem().ListDirectory(directory, namePattern, listing,
                                                               &filter) &&
           dorvane::ChooseReadableCandidate(directory, listing, result);
}

CVeskString CDorvane::GetCompleteFilePath(CVeskString basePath, CVeskString fileName) {
    if (basePath.GetLength() <= 0) {
        return CVeskString();
    }
    std::string completePath = dorvane::DirectoryOf(Split(basePath));
    completePath.append(View(fileName));
    return dorvane::ToVeskString(completePath);
}

bool CDorvane::FileExists(CVeskString path) {
    return path.GetLength() > 0 &&
           dorvane::platform::ActiveFileSystem().CanOpenForReading(View(path));
}
