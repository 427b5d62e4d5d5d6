#include "platform/PathSplit.h"

#include "platform/Platform.h"

namespace dorvane::platform {

namespace {

// Finds the last separator and the last dot of text, stepping over the second byte of
// every double-byte character. Positions are npos when absent.
struct Marks {
    std::size_t lastSeparator = std::string_view::npos;
    std::size_t lastDot = std::string_view::npos;
};

Marks FindMarks(std::string_view text, LeadByteTest isLeadByte) {
    Marks marks;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (isLeadByte != nullptr && isLeadByte(static_cast<unsigned char>(c))) {
            ++i;  // the trail byte is part of this character
        } else if (IsSeparator(c)) {
            marks.lastSeparator = i;
        } else if (c == '.') {
            marks.lastDot = i;
        }
    }
    return marks;
}

// Splits the part of a path that follows its directory into name and extension.
void SplitTail(std::string_view tail, std::size_t lastDot, PathParts& parts) {
    if (lastDot == std::string_view::npos) {
        parts.name = tail;
        return;
    }
    parts.name = tail.substr(0, lastDot);
    parts.extension = tail.substr(lastDot);
}

}  // namespace

PathParts SplitPath(std::string_view path, LeadByteTest isLeadByte) {
    PathParts parts;
    const bool firstIsLead =
        isLeadByte != nullptr && !path.empty() && isLeadByte(static_cast<unsigned char>(path[0]));
    if (path.size() >= 2 && path[1] == ':' && !firstIsLead) {
        parts.drive = path.substr(0, 2);
        path.remove_prefix(2);
    }
    const Marks marks = FindMarks(path, isLeadByte);
    std::size_t tailStart = 0;
    if (marks.lastSeparator != std::string_view::npos) {
        tailStart = marks.lastSeparator + 1;
        parts.directory = path.substr(0, tailStart);
    }
    const bool dotInTail = marks.lastDot != std::string_view::npos && marks.lastDot >= tailStart;
    SplitTail(path.substr(tailStart),
              dotInTail ? marks.lastDot - tailStart : std::string_view::npos, parts);
    return parts;
}

PathParts SplitPath(std::string_view path) { return SplitPath(path, &IsLeadByte); }

PathParts SplitEntryName(std::string_view entryName) {
    PathParts parts;
    SplitTail(entryName, FindMarks(entryName, &IsLeadByte).lastDot, parts);
    return parts;
}

}  // namespace dorvane::platform
