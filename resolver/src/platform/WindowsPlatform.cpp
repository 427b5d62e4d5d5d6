// The platform layer on Windows. Names are bytes in the ANSI code page, as the host hands
// them over, so the system is asked through its ANSI entry points; both separators are
// accepted, since the system reads either.

#if !defined(WIN32_LEAN_AND_MEAN)
#define WIN32_LEAN_AND_MEAN
#endif
#if !defined(NOMINMAX)
#define NOMINMAX
#endif

#include "platform/Platform.h"

#include <io.h>
#include <windows.h>

#include <cstdio>
#include <limits>

namespace dorvane::platform {

namespace {

// Releases a handle with Close when the scope ends, so every return path releases it.
template <BOOL(WINAPI* Close)(HANDLE)>
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle) : m_Handle(handle) {}
    ~ScopedHandle() {
        if (m_Handle != INVALID_HANDLE_VALUE) {
            Close(m_Handle);
        }
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    HANDLE Get() const { return m_Handle; }

private:
    HANDLE m_Handle;
};

using ScopedSearch = ScopedHandle<FindClose>;
using ScopedFile = ScopedHandle<CloseHandle>;

// The identity of the directory that a prefix names: "" the current directory, "C:" the
// current directory of drive C, anything else the directory it ends in. A "." appended
// names the directory itself in each of these forms. Opening it follows junctions and
// directory links, so every path that reaches one directory gives the same identity.
bool ReadIdentity(std::string_view directory, FileIdentity& identity) {
    std::string itself(directory);
    itself += '.';
    const ScopedFile handle(CreateFileA(itself.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                        nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (handle.Get() == INVALID_HANDLE_VALUE ||
        !GetFileInformationByHandle(handle.Get(), &information)) {
        return false;
    }
    identity.volume = information.dwVolumeSerialNumber;
    identity.node =
        (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return true;
}

// Adds one entry of a search that the caller's filter keeps. A name that the ANSI code
// page cannot spell comes back with "?" in it, a character no file name holds: such an
// entry can neither be opened nor listed under that name, so it is left out.
void AddEntry(const WIN32_FIND_DATAA& entry, const EntryFilter* filter, DirectoryListing& listing) {
    const std::string_view name(entry.cFileName);
    const bool isDirectory = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const EntryKind kind = isDirectory ? EntryKind::Directory : EntryKind::File;
    if ((filter != nullptr && !filter->Keep(name, kind)) ||
        name.find('?') != std::string_view::npos) {
        return;
    }
    listing.Add(name, kind);
}

// Converts a name from UTF-16 to the ANSI code page; false when a character has no exact
// spelling there, since a best-fit stand-in could name another file.
bool ToAnsiCodePage(const std::wstring& wide, std::string& narrow) {
    if (wide.empty()) {
        narrow.clear();
        return true;
    }
    // UTF-8 spells every character and takes neither the flag nor the question.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const usedDefaultQuestion = utf8 ? nullptr : &usedDefault;
    const int wideLength = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_ACP, flags, wide.data(), wideLength, nullptr, 0,
                                           nullptr, usedDefaultQuestion);
    if (length <= 0 || usedDefault) {
        return false;
    }
    narrow.assign(static_cast<std::size_t>(length), '\0');
    return WideCharToMultiByte(CP_ACP, flags, wide.data(), wideLength, &narrow[0], length, nullptr,
                               usedDefaultQuestion) == length &&
           !usedDefault;
}

class WindowsFileSystem final : public FileSystem {
public:
    // The search pattern is the prefix followed by the name pattern, matched by the
    // system; it also matches against short names, so it may yield a few more names,
    // which the caller's own name test passes over.
    bool ListDirectory(std::string_view directory, std::string_view namePattern,
                       DirectoryListing& listing, const EntryFilter* filter) override {
        listing.Clear();
        FileIdentity identity;
        const bool hasIdentity = ReadIdentity(directory, identity);
        std::string pattern(directory);
        pattern.append(namePattern);
        WIN32_FIND_DATAA entry;
        const ScopedSearch search(FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &entry,
                                                   FindExSearchNameMatch, nullptr,
                                                   FIND_FIRST_EX_LARGE_FETCH));
        if (search.Get() == INVALID_HANDLE_VALUE) {
            // A directory that holds no matching name (a drive's root has not even "."
            // and "..") is listed, and empty; a missing one is not.
            if (GetLastError() != ERROR_FILE_NOT_FOUND || !hasIdentity) {
                return false;
            }
            listing.SetIdentity(identity);
            return true;
        }
        do {
            AddEntry(entry, filter, listing);
        } while (FindNextFileA(search.Get(), &entry));
        if (GetLastError() != ERROR_NO_MORE_FILES) {
            listing.Clear();
            return false;
        }
        if (hasIdentity) {
            listing.SetIdentity(identity);
        }
        return true;
    }

    // The runtime's open with mode "r" asks for read access and shares reading and
    // writing, so it fails exactly for what cannot be read now: a missing file, a
    // directory, a file the process may not read, and one that another holder keeps open
    // without read sharing. Only a file on a disk counts: a device name such as NUL or
    // CON opens as well, in any directory.
    bool CanOpenForReading(std::string_view path) override {
        const std::string native(path);
        std::FILE* file = std::fopen(native.c_str(), "r");
        if (file == nullptr) {
            return false;
        }
        const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
        const bool onDisk = GetFileType(handle) == FILE_TYPE_DISK;
        std::fclose(file);
        return onDisk;
    }

    // Read through the wide call, which gives the whole directory whatever its length
    // (the ANSI call refuses one longer than MAX_PATH), then spelt in the ANSI code page.
    bool CurrentDirectory(std::string& directory) override {
        std::wstring wide(512, L'\0');
        for (;;) {
            const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(wide.size()), &wide[0]);
            if (length == 0) {
                return false;
            }
            if (length < wide.size()) {
                wide.resize(length);
                return ToAnsiCodePage(wide, directory);
            }
            // Too small: length is the size needed, the terminator included. The loop
            // goes on in case the directory changed and grew meanwhile.
            wide.resize(length);
        }
    }
};

}  // namespace

FileSystem& NativeFileSystem() {
    static WindowsFileSystem fileSystem;
    return fileSystem;
}

bool IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

void MakeNameUpper(char* text, std::size_t length) {
    constexpr std::size_t kMostAtOnce = std::numeric_limits<DWORD>::max();
    while (length > 0) {
        const std::size_t part = length < kMostAtOnce ? length : kMostAtOnce;
        CharUpperBuffA(text, static_cast<DWORD>(part));
        text += part;
        length -= part;
    }
}

}  // namespace dorvane::platform
