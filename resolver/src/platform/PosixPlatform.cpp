// The platform layer on POSIX systems. Received paths may use "\" as well as "/";
// every path handed to the operating system uses "/".

#if !defined(_GNU_SOURCE)
#define _GNU_SOURCE 1  // getdents64
#endif

#include "platform/Platform.h"
#include "platform/Wildcard.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__linux__)
#include <linux/magic.h>
#include <sys/vfs.h>
#endif

#include <cerrno>
#include <cstring>
#include <memory>

namespace dorvane::platform {

namespace {

// A path as the operating system wants it: "/" for every separator, "." for the empty
// current-directory prefix.
std::string NativePath(std::string_view path) {
    if (path.empty()) {
        return ".";
    }
    std::string native(path);
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
    return native;
}

// Closes a descriptor when the scope ends, so every return path releases it.
class ScopedDescriptor {
public:
    explicit ScopedDescriptor(int descriptor) : m_Descriptor(descriptor) {}
    ~ScopedDescriptor() {
        if (m_Descriptor >= 0) {
            close(m_Descriptor);
        }
    }
    ScopedDescriptor(const ScopedDescriptor&) = delete;
    ScopedDescriptor& operator=(const ScopedDescriptor&) = delete;
    int Get() const { return m_Descriptor; }

private:
    int m_Descriptor;
};

EntryKind KindOfMode(mode_t mode) {
    if (S_ISDIR(mode)) {
        return EntryKind::Directory;
    }
    return S_ISREG(mode) ? EntryKind::File : EntryKind::Other;
}

// The kind of an entry, following links as a directory search reports them: a link to
// a directory has the directory bit. Only links and entries of unknown type cost a
// stat call.
EntryKind KindOfEntry(int directory, const char* name, unsigned char type) {
    switch (type) {
        case DT_DIR:
            return EntryKind::Directory;
        case DT_REG:
            return EntryKind::File;
        case DT_LNK:
        case DT_UNKNOWN: {
            struct stat status;
            if (fstatat(directory, name, &status, 0) != 0) {
                return EntryKind::Other;  // a dangling link, or gone meanwhile
            }
            return KindOfMode(status.st_mode);
        }
        default:
            return EntryKind::Other;
    }
}

// What one listing asks for: the names that begin with namePrefix (usually empty),
// whose rest matches namePattern, and that the caller's filter keeps.
struct EntryRequest {
    std::string_view namePrefix;
    std::string_view namePattern;
    bool patternMatchesAll;
    const EntryFilter* filter;
};

// True when the entry's name passes the request's own tests. A name holding a backslash
// never does: the resolver would read the backslash as a separator, and the name would
// lead out of this directory.
bool NamePasses(std::string_view entryName, const EntryRequest& request) {
    return entryName.find('\\') == std::string_view::npos &&
           (request.patternMatchesAll || WildcardMatch(request.namePattern, entryName));
}

// Adds one entry that the request lets through, without its prefix. The caller's filter
// comes before the wildcard, so that an entry the caller has no use for costs one cheap
// test and no copy; only a link or an entry of unknown type, whose kind costs a stat
// call, is first held against the pattern.
void AddEntry(int directory, const char* name, unsigned char type, const EntryRequest& request,
              DirectoryListing& listing) {
    std::string_view entryName(name);
    if (!request.namePrefix.empty()) {
        if (entryName.compare(0, request.namePrefix.size(), request.namePrefix) != 0) {
            return;
        }
        entryName.remove_prefix(request.namePrefix.size());
    }
    const bool kindCostsACall = type == DT_LNK || type == DT_UNKNOWN;
    if (kindCostsACall && !NamePasses(entryName, request)) {
        return;
    }
    const EntryKind kind = KindOfEntry(directory, name, type);
    if ((request.filter != nullptr && !request.filter->Keep(entryName, kind)) ||
        (!kindCostsACall && !NamePasses(entryName, request))) {
        return;
    }
    listing.Add(entryName, kind);
}

#if defined(__linux__)

// True when the file system of the open directory, on the given volume, is one whose
// getdents64 fills the buffer for as long as entries remain: there, a call that left
// room for the longest possible entry has read to the end, and the call that would
// only report the end can be spared. Elsewhere (FUSE hands over what its server sent,
// a page at a time) the end is what a call returning nothing says. The answer is kept
// in the listing, for the next directory on the same volume.
bool FillsWholeReads(int directory, std::uint64_t volume, DirectoryListing& listing) {
    DirectoryListing::VolumeNote& note = listing.Note();
    if (!note.known || note.volume != volume) {
        struct statfs status;
        note.fillsWholeReads = fstatfs(directory, &status) == 0 &&
                               (status.f_type == EXT4_SUPER_MAGIC || status.f_type == TMPFS_MAGIC ||
                                status.f_type == BTRFS_SUPER_MAGIC);
        note.volume = volume;
        note.known = true;
    }
    return note.fillsWholeReads;
}

// Reads the entries with large getdents64 calls: a directory of a few hundred entries
// costs one call, and the one that reports the end where the file system needs it.
// Each thread keeps its one buffer, so a walk of many directories allocates it once.
constexpr std::size_t kBufferSize = 64 * 1024;

char* ThreadsReadBuffer() {
    thread_local std::unique_ptr<char[]> buffer;
    if (buffer == nullptr) {
        buffer.reset(new char[kBufferSize]);
    }
    return buffer.get();
}

bool ReadEntries(int directory, const EntryRequest& request, DirectoryListing& listing) {
    char* const buffer = ThreadsReadBuffer();
    for (;;) {
        const ssize_t filled = getdents64(directory, buffer, kBufferSize);
        if (filled == 0) {
            return true;
        }
        if (filled < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        for (ssize_t offset = 0; offset < filled;) {
            const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + offset);
            AddEntry(directory, entry->d_name, entry->d_type, request, listing);
            offset += entry->d_reclen;
        }
        const bool roomWasLeft =
            static_cast<std::size_t>(filled) + sizeof(struct dirent64) <= kBufferSize;
        if (roomWasLeft && listing.HasIdentity() &&
            FillsWholeReads(directory, listing.Identity().volume, listing)) {
            return true;
        }
    }
}

#else

bool ReadEntries(int directory, const EntryRequest& request, DirectoryListing& listing) {
    const int duplicate = dup(directory);
    if (duplicate < 0) {
        return false;
    }
    DIR* stream = fdopendir(duplicate);
    if (stream == nullptr) {
        close(duplicate);
        return false;
    }
    errno = 0;
    while (const struct dirent* entry = readdir(stream)) {
        AddEntry(directory, entry->d_name, entry->d_type, request, listing);
    }
    const bool complete = errno == 0;
    closedir(stream);
    return complete;
}

#endif

class PosixFileSystem final : public FileSystem {
public:
    bool ListDirectory(std::string_view directory, std::string_view namePattern,
                       DirectoryListing& listing, const EntryFilter* filter) override {
        listing.Clear();
        // A prefix that does not end in a separator is a bare drive, "C:". A drive
        // means nothing here, so it is the start of a relative name: the listing is of
        // the names in the current directory that begin with it.
        const std::size_t lastSeparator = directory.find_last_of("\\/");
        const std::size_t prefixStart =
            lastSeparator == std::string_view::npos ? 0 : lastSeparator + 1;
        const EntryRequest request{directory.substr(prefixStart), namePattern,
                                   WildcardMatchesAll(namePattern), filter};
        const std::string path = NativePath(directory.substr(0, prefixStart));
        const ScopedDescriptor descriptor(
            open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC));
        if (descriptor.Get() < 0) {
            return false;
        }
        struct stat status;
        if (fstat(descriptor.Get(), &status) == 0) {
            listing.SetIdentity(FileIdentity{static_cast<std::uint64_t>(status.st_dev),
                                             static_cast<std::uint64_t>(status.st_ino)});
        }
        if (!ReadEntries(descriptor.Get(), request, listing)) {
            listing.Clear();
            return false;
        }
        return true;
    }

    // Only regular files count, also behind a link. The open never waits: a pipe or a
    // device is refused before it is opened, and O_NONBLOCK covers one that replaces
    // the file between the two checks.
    bool CanOpenForReading(std::string_view path) override {
        const std::string native = NativePath(path);
        struct stat status;
        if (stat(native.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
            return false;
        }
        const ScopedDescriptor descriptor(
            open(native.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        return descriptor.Get() >= 0 && fstat(descriptor.Get(), &status) == 0 &&
               S_ISREG(status.st_mode);
    }

    bool CurrentDirectory(std::string& directory) override {
        std::string buffer(512, '\0');
        for (;;) {
            if (getcwd(&buffer[0], buffer.size()) != nullptr) {
                directory.assign(buffer.c_str());
                return true;
            }
            if (errno != ERANGE || buffer.size() >= (std::size_t{1} << 24)) {
                return false;
            }
            buffer.resize(buffer.size() * 2);
        }
    }
};

}  // namespace

FileSystem& NativeFileSystem() {
    static PosixFileSystem fileSystem;
    return fileSystem;
}

bool IsLeadByte(unsigned char) { return false; }

void MakeNameUpper(char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] >= 'a' && text[i] <= 'z') {
            text[i] = static_cast<char>(text[i] - 'a' + 'A');
        }
    }
}

}  // namespace dorvane::platform
