#ifndef DORVANE_VERSIONEDLOOKUP_H
#define DORVANE_VERSIONEDLOOKUP_H

// The pieces of the versioned lookup in one directory that the subdirectory search
// shares with it.

#include <VeskUtility/VeskList.h>
#include <VeskUtility/VeskString.h>

#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace dorvane {

// The name a directory entry must carry: name + extension of the request, upper-cased.
std::string TargetName(std::string_view name, std::string_view extension);

// True when entryName is the target itself or the target with one more extension
// (REPORT.TXT.3 for REPORT.TXT), compared in upper case. Costs no allocation.
bool IsTargetOrVersion(std::string_view entryName, std::string_view upperTarget);

// Keeps the entries that could stand for the file: those that are not directories and
// that are the target itself or one of its versions.
class CandidateFilter : public platform::EntryFilter {
public:
    explicit CandidateFilter(std::string_view upperTarget) : m_UpperTarget(upperTarget) {}
    bool Keep(std::string_view name, platform::EntryKind kind) const override {
        return kind != platform::EntryKind::Directory && IsTargetOrVersion(name, m_UpperTarget);
    }

private:
    std::string_view m_UpperTarget;
};

// Chooses among the entries of a listing that CandidateFilter kept (directories may be
// there too and are passed over) the one to use: of those that open for reading, the
// sole one, else the first with the highest version number read from its last
// extension, else the first. result then holds directory + its name. False, with result
// untouched, when none opens for reading.
bool ChooseReadableCandidate(std::string_view directory, const platform::DirectoryListing& listing,
                             CVeskString& result);

}  // namespace dorvane

#endif
