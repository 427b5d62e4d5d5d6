// The path splitter: the four parts give the input back; the directory ends at the last
// separator and the extension starts at the last dot after it; and under a double-byte
// character set no part starts right after a lead byte, nor is a trail byte read as a
// separator or a dot.
//
// Input: a mode byte, for some modes a 16-byte lead-byte table, then the path.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "platform/PathSplit.h"

namespace {

using dorvane::fuzz::Check;
using dorvane::platform::IsSeparator;
using dorvane::platform::LeadByteTest;
using dorvane::platform::PathParts;

// Lead bytes of a code page shaped like 932.
bool CodePage932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// A lead-byte table taken from the input: one bit for each byte from 0x80 up, since
// every double-byte code page keeps its lead bytes there.
std::array<std::uint8_t, 16> g_FuzzedTable;
bool FuzzedLeadByte(unsigned char byte) {
    return byte >= 0x80 && (g_FuzzedTable[(byte - 0x80) / 8] >> (byte % 8) & 1) != 0;
}

// For each position of text: true when a character starts there (the byte after a
// lead byte does not start one). The drive, when split off, is two single bytes.
std::vector<bool> CharacterStarts(std::string_view text, LeadByteTest isLeadByte) {
    std::vector<bool> starts(text.size() + 1, false);
    for (std::size_t i = 0; i < text.size(); ++i) {
        starts[i] = true;
        if (isLeadByte != nullptr && isLeadByte(static_cast<unsigned char>(text[i]))) {
            ++i;
        }
    }
    starts[text.size()] = true;
    return starts;
}

// True when no character of part (which starts at offset in the path) is one of the
// bytes that wanted tells.
template <typename Wanted>
bool HoldsNoCharacter(std::string_view part, std::size_t offset, const std::vector<bool>& starts,
                      Wanted wanted) {
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (starts[offset + i] && wanted(part[i])) {
            return false;
        }
    }
    return true;
}

void CheckSplit(std::string_view path, LeadByteTest isLeadByte) {
    const PathParts parts = dorvane::platform::SplitPath(path, isLeadByte);
    const dorvane::fuzz::Shown shown = {{"path", path},
                                        {"drive", parts.drive},
                                        {"directory", parts.directory},
                                        {"name", parts.name},
                                        {"extension", parts.extension}};

    // The parts are consecutive views of the input that cover it exactly.
    const char* at = path.data();
    for (const std::string_view part :
         {parts.drive, parts.directory, parts.name, parts.extension}) {
        Check(part.empty() || part.data() == at, "the parts lie in order inside the path", shown);
        at += part.size();
    }
    Check(at == path.data() + path.size(), "the parts give the path back", shown);

    const bool firstIsLead =
        isLeadByte != nullptr && !path.empty() && isLeadByte(static_cast<unsigned char>(path[0]));
    const bool hasDrive = path.size() >= 2 && path[1] == ':' && !firstIsLead;
    Check(parts.drive == (hasDrive ? path.substr(0, 2) : std::string_view()),
          "the drive is the first two characters exactly when the second is a colon", shown);

    const std::string_view rest = path.substr(parts.drive.size());
    const std::vector<bool> starts = CharacterStarts(rest, isLeadByte);
    const std::size_t nameAt = parts.directory.size();
    const std::size_t extensionAt = nameAt + parts.name.size();
    Check(starts[nameAt] && starts[extensionAt], "no part starts right after a lead byte", shown);
    Check(parts.directory.empty() || (starts[nameAt - 1] && IsSeparator(parts.directory.back())),
          "a directory ends in a separator character", shown);
    const auto isSeparator = [](char c) { return IsSeparator(c); };
    const auto isDot = [](char c) { return c == '.'; };
    Check(HoldsNoCharacter(parts.name, nameAt, starts, isSeparator) &&
              HoldsNoCharacter(parts.extension, extensionAt, starts, isSeparator),
          "no separator in name or extension", shown);
    Check(HoldsNoCharacter(parts.extension.substr(parts.extension.empty() ? 0 : 1), extensionAt + 1,
                           starts, isDot),
          "the extension has no dot but its first", shown);
    Check(parts.extension.empty() ? HoldsNoCharacter(parts.name, nameAt, starts, isDot)
                                  : parts.extension[0] == '.',
          "the extension starts at the last dot, and is empty only without one", shown);

    if (isLeadByte == nullptr) {
        // A directory entry's own name splits as the end of a path that holds it.
        const std::string_view tail = rest.substr(nameAt);
        const PathParts entry = dorvane::platform::SplitEntryName(tail);
        Check(entry.drive.empty() && entry.directory.empty() && entry.name == parts.name &&
                  entry.extension == parts.extension,
              "an entry name splits like the end of a path", shown);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const unsigned mode = static_cast<unsigned char>(input[0]) % 3;
    input.remove_prefix(1);
    if (mode == 0) {
        CheckSplit(input, nullptr);
    } else if (mode == 1) {
        CheckSplit(input, &CodePage932LeadByte);
    } else {
        if (input.size() < g_FuzzedTable.size()) {
            return 0;
        }
        for (std::size_t i = 0; i < g_FuzzedTable.size(); ++i) {
            g_FuzzedTable[i] = static_cast<std::uint8_t>(input[i]);
        }
        input.remove_prefix(g_FuzzedTable.size());
        CheckSplit(input, &FuzzedLeadByte);
    }
    return 0;
}
