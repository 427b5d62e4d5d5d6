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
    std::string_view UpperTarget() const { return m_UpperTarget; }

private:
    std::string_view m_UpperTarget;
};

// Adds to candidates, in listing order, directory + name of every entry of listing
// that is not a directory, matches upperTarget and opens for reading.
void AddReadableCandidates(std::string_view directory, const platform::DirectoryListing& listing,
                           std::string_view upperTarget, CVeskList& candidates);

// Chooses among non-empty candidates: the sole one, else the first with the highest
// version number read from its last extension; the first one when no candidate has a
// version of 0 or more. Empties candidates afterwards.
void ChooseNewestVersion(CVeskList& candidates, CVeskString& result);

}  // namespace dorvane

#endif
