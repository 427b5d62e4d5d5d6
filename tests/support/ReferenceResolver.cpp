#include "ReferenceResolver.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace dorvane::test {

namespace {

namespace fs = std::filesystem;

struct Parts {
    std::string drive;
    std::string directory;
    std::string name;
    std::string extension;
};

// drive: two characters when the second is a colon; directory: up to the last "\" or
// "/"; extension: from the last dot after the directory; name: what lies between.
Parts SplitPath(const std::string& path) {
    Parts parts;
    std::string rest = path;
    if (rest.size() >= 2 && rest[1] == ':') {
        parts.drive = rest.substr(0, 2);
        rest = rest.substr(2);
    }
    std::string tail = rest;
    const std::size_t separator = rest.find_last_of("\\/");
    if (separator != std::string::npos) {
        parts.directory = rest.substr(0, separator + 1);
        tail = rest.substr(separator + 1);
    }
    const std::size_t dot = tail.rfind('.');
    if (dot == std::string::npos) {
        parts.name = tail;
    } else {
        parts.name = tail.substr(0, dot);
        parts.extension = tail.substr(dot);
    }
    return parts;
}

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// "*" any run of characters, "?" any one, letters without regard to case.
bool Match(const char* pattern, const char* name) {
    if (*pattern == '\0') {
        return *name == '\0';
    }
    if (*pattern == '*') {
        return Match(pattern + 1, name) || (*name != '\0' && Match(pattern, name + 1));
    }
    if (*name == '\0') {
        return false;
    }
    const bool same =
        *pattern == '?' || Upper(std::string(1, *pattern)) == Upper(std::string(1, *name));
    return same && Match(pattern + 1, name + 1);
}

// A final ".*" also stands for no extension at all, so "*.*" matches every name.
bool WildcardMatches(const std::string& pattern, const std::string& name) {
    if (Match(pattern.c_str(), name.c_str())) {
        return true;
    }
    const bool anyExtension = pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*";
    return anyExtension && Match(pattern.substr(0, pattern.size() - 2).c_str(), name.c_str());
}

// Where the operating system looks for what a drive-and-directory prefix names: the
// directory up to the last separator ("." when there is none), and the start of the
// names there that the rest of the prefix stands for ("C:" on POSIX).
struct Place {
    std::string directory;
    std::string namePrefix;
};

Place PlaceOf(const std::string& prefix) {
    const std::size_t separator = prefix.find_last_of("\\/");
    Place place;
    if (separator == std::string::npos) {
        place.directory = ".";
        place.namePrefix = prefix;
    } else {
        place.directory = prefix.substr(0, separator + 1);
        place.namePrefix = prefix.substr(separator + 1);
    }
    for (char& c : place.directory) {
        if (c == '\\') {
            c = '/';
        }
    }
    return place;
}

struct Entry {
    std::string name;
    bool isDirectory;
};

// The wildcard directory search, from start to close: every entry it yields, in the
// file system's order. False when the directory cannot be listed.
bool WildcardSearch(const std::string& pattern, std::vector<Entry>& entries) {
    entries.clear();
    const Parts parts = SplitPath(pattern);
    const Place place = PlaceOf(parts.drive + parts.directory);
    const std::string namePattern = parts.name + parts.extension;
    std::error_code error;
    fs::directory_iterator it(place.directory, error);
    if (error) {
        return false;
    }
    if (place.namePrefix.empty()) {
        for (const char* dots : {".", ".."}) {
            if (WildcardMatches(namePattern, dots)) {
                entries.push_back(Entry{dots, true});
            }
        }
    }
    for (; it != fs::directory_iterator(); it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.compare(0, place.namePrefix.size(), place.namePrefix) != 0) {
            continue;
        }
        name = name.substr(place.namePrefix.size());
        // Departure: a name holding a backslash would lead out of the directory.
        if (name.find('\\') != std::string::npos || !WildcardMatches(namePattern, name)) {
            continue;
        }
        std::error_code kindError;
        entries.push_back(Entry{name, fs::is_directory(it->path(), kindError)});
    }
    return !error;
}

// The directory a pattern lists, by what it is rather than how it is spelled.
std::string IdentityOf(const std::string& pattern) {
    const Parts parts = SplitPath(pattern);
    std::error_code error;
    const fs::path canonical =
        fs::canonical(PlaceOf(parts.drive + parts.directory).directory, error);
    return error ? pattern : canonical.string();
}

std::string GetCompleteFilePath(const std::string& basePath, const std::string& fileName) {
    if (basePath.empty()) {
        return "";
    }
    const Parts parts = SplitPath(basePath);
    return parts.drive + parts.directory + fileName;
}

// Departure: only regular files count, also behind a link.
bool FileExists(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    std::string native = path;
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
    std::error_code error;
    return fs::is_regular_file(native, error) && std::ifstream(native).is_open();
}

// "%ld" into a 32-bit long: white space, a sign, digits that wrap around.
void ScanVersion(const std::string& text, std::int32_t& version) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size() || text[i] < '0' || text[i] > '9') {
        return;
    }
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    }
    version = static_cast<std::int32_t>(negative ? 0u - value : value);
}

bool IsDots(const std::string& name) { return !name.empty() && (name == "." || name == ".."); }

}  // namespace

bool ReferenceResolver::DetermineIfFileExists(const std::string& path, std::string& result) {
    result = "";
    if (path.empty()) {
        return false;
    }
    const Parts parts = SplitPath(path);
    std::string pattern = parts.drive + parts.directory;
    if (pattern.empty()) {
        return false;
    }
    pattern += parts.extension.empty() ? "*.*" : "*" + parts.extension + "*";
    const std::string target = Upper(parts.name + parts.extension);
    std::vector<std::string> candidates;
    std::vector<Entry> entries;
    if (WildcardSearch(pattern, entries)) {
        for (const Entry& entry : entries) {
            if (entry.isDirectory) {
                continue;
            }
            const Parts upper = SplitPath(Upper(GetCompleteFilePath(pattern, entry.name)));
            if (upper.name == target || upper.name + upper.extension == target) {
                const std::string full = GetCompleteFilePath(pattern, entry.name);
                if (FileExists(full)) {
                    candidates.push_back(full);
                }
            }
        }
    }
    if (candidates.empty()) {
        return false;  // departure: never true with an empty result
    }
    if (candidates.size() == 1) {
        result = candidates.front();
        return true;
    }
    std::int32_t best = -1;
    for (const std::string& candidate : candidates) {
        const std::string extension = SplitPath(candidate).extension;
        if (extension.empty()) {
            continue;
        }
        std::int32_t version = 0;
        ScanVersion(extension.substr(1), version);
        if (version > best) {
            result = candidate;
            best = version;
        }
    }
    if (result.empty()) {
        result = candidates.front();
    }
    return true;
}

bool ReferenceResolver::GenerateSubdirectoriesList(const std::string& directory) {
    m_Entered.clear();
    if (directory.empty()) {
        return false;
    }
    std::vector<Entry> entries;
    if (!WildcardSearch(directory + "*.*", entries)) {
        return false;
    }
    m_Entered.insert(IdentityOf(directory + "*.*"));
    return GenerateLevel(directory);
}

// One level of the recursion: the directory was listed and entered already.
bool ReferenceResolver::GenerateLevel(const std::string& directory) {
    const std::string pattern = directory + "*.*";
    std::vector<Entry> entries;
    WildcardSearch(pattern, entries);
    bool result = false;
    for (const Entry& entry : entries) {
        if (!entry.isDirectory) {
            continue;
        }
        const Parts parts = SplitPath(GetCompleteFilePath(pattern, entry.name));
        std::string sub = parts.drive + parts.directory;
        const std::string entryName = parts.name + parts.extension;
        if (!entryName.empty() && !IsDots(entryName)) {
            sub += entryName + "/";
        }
        if (sub == directory) {
            continue;
        }
        // Departure: a directory that can be listed is entered once, by identity.
        std::vector<Entry> below;
        const bool listed = WildcardSearch(sub + "*.*", below);
        if (listed && !m_Entered.insert(IdentityOf(sub + "*.*")).second) {
            continue;
        }
        m_List.push_back(sub);
        result = true;
        if (listed) {
            GenerateLevel(sub);
        }
    }
    return result;
}

bool ReferenceResolver::DetermineFileInSubdirectories(std::string& path) {
    if (path.empty()) {
        return false;
    }
    const Parts parts = SplitPath(path);
    const std::string fullName = parts.name + parts.extension;
    std::string base = parts.drive + parts.directory;
    if (!m_Parent.empty()) {
        const Parts parent = SplitPath(m_Parent);
        base = parent.drive + parent.directory;
    }
    bool result = false;
    if (GenerateSubdirectoriesList(base) && !m_List.empty()) {
        for (std::string& subdirectory : m_List) {
            if (subdirectory.empty()) {
                continue;
            }
            const std::string candidate = subdirectory + fullName;
            if (DetermineIfFileExists(candidate, subdirectory)) {
                path = subdirectory;
                result = true;
                break;
            }
        }
        m_List.clear();
    }
    return result;
}

bool ReferenceResolver::ResolveFile(std::string& path) {
    if (path.empty()) {
        return false;
    }
    const Parts parts = SplitPath(path);
    const std::string fileName = parts.name + parts.extension;
    std::string choice;
    if (DetermineIfFileExists(path, choice)) {
        path = choice;
        return true;
    }
    if (!m_Parent.empty()) {
        const Parts parent = SplitPath(m_Parent);
        const std::string directory = parent.directory.empty() ? "/" : parent.directory;
        if (DetermineIfFileExists(parent.drive + directory + fileName, choice)) {
            path = choice;
            return true;
        }
    }
    // Departure: the whole current directory, without a doubled separator; skipped
    // when it cannot be read.
    std::error_code error;
    std::string current = fs::current_path(error).string();
    if (!error && !current.empty()) {
        if (current.back() != '/' && current.back() != '\\') {
            current += "/";
        }
        if (DetermineIfFileExists(current + fileName, choice)) {
            path = choice;
            return true;
        }
    }
    return DetermineFileInSubdirectories(path);
}

}  // namespace dorvane::test
