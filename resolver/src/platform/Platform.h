#ifndef DORVANE_PLATFORM_PLATFORM_H
#define DORVANE_PLATFORM_PLATFORM_H

// The resolver's one narrow interface to the operating system. Everything the resolver
// asks of the machine goes through here: listing a directory, testing that a file can
// be read, the current directory, and the character-set rules for names. Each platform
// implements it in one source file (PosixPlatform.cpp, WindowsPlatform.cpp); tests may
// install a FileSystem of their own to produce faults a real disk cannot.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dorvane::platform {

// The separator the system writes where it joins paths itself.
#if defined(_WIN32)
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

// What a directory entry is, with links followed: a directory (the entry's directory
// bit), a regular file, or anything else (a device, a pipe, a dangling link).
enum class EntryKind : std::uint8_t { File, Directory, Other };

// Names one directory on one volume, whatever the path that reached it.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t node = 0;

    friend bool operator==(const FileIdentity& a, const FileIdentity& b) {
        return a.volume == b.volume && a.node == b.node;
    }
};

// The entries of one directory, read whole so that no directory handle stays open
// while the caller works on them. The names share one buffer: listing a large
// directory costs a few allocations, not one for every entry.
class DirectoryListing {
public:
    void Clear();
    void Add(std::string_view name, EntryKind kind);

    std::size_t Size() const { return m_Entries.size(); }
    std::string_view Name(std::size_t index) const {
        const Entry& entry = m_Entries[index];
        return std::string_view(m_Names.data() + entry.offset, entry.length);
    }
    EntryKind Kind(std::size_t index) const { return m_Entries[index].kind; }

    // The listed directory's identity, when the platform could tell it.
    bool HasIdentity() const { return m_HasIdentity; }
    const FileIdentity& Identity() const { return m_Identity; }
    void SetIdentity(const FileIdentity& identity) {
        m_Identity = identity;
        m_HasIdentity = true;
    }

    // What the platform found out about the volume of an earlier listing into this
    // object. Clear keeps it, so that a walk listing many directories into one object
    // asks the system once per volume; only the platform's own code reads it.
    struct VolumeNote {
        std::uint64_t volume = 0;
        bool known = false;
        bool fillsWholeReads = false;
    };
    VolumeNote& Note() { return m_Note; }

private:
    struct Entry {
        std::size_t offset;
        std::size_t length;
        EntryKind kind;
    };
    std::string m_Names;
    std::vector<Entry> m_Entries;
    FileIdentity m_Identity;
    bool m_HasIdentity = false;
    VolumeNote m_Note;
};

// Tells a listing which entries to keep, so that the names a caller has no use for
// are never copied: a walk that looks for one name keeps the subdirectories and the
// entries that could be that name, and passes over the rest at the cost of one test.
class EntryFilter {
public:
    // True to keep the entry: name is the entry's own name as the listing delivers it,
    // kind is its kind with links followed. It is asked in the middle of a listing, so
    // it must not list a directory itself.
    virtual bool Keep(std::string_view name, EntryKind kind) const = 0;

protected:
    ~EntryFilter() = default;
};

// The file-system operations, behind one interface so that a test can stand in for
// the machine.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Replaces listing by the entries of directory whose names match the wildcard
    // namePattern (see WildcardMatch) and that filter keeps (every one when filter is
    // null), in the file system's own order, the entries "." and ".." included where
    // the file system has them. The two tests may run in either order, and filter may
    // be asked about entries that the pattern then refuses. directory is a prefix as
    // the resolver builds it: empty for the current directory, a bare drive, or a path
    // ending in a separator; both separators are accepted. Returns false, with an empty
    // listing, when the directory cannot be listed.
    virtual bool ListDirectory(std::string_view directory, std::string_view namePattern,
                               DirectoryListing& listing, const EntryFilter* filter) = 0;

    // True when path names a file that opens for reading now; the file is closed again
    // at once. Never blocks, whatever path names.
    virtual bool CanOpenForReading(std::string_view path) = 0;

    // The process's current directory, whatever its length; false when it cannot be
    // read.
    virtual bool CurrentDirectory(std::string& directory) = 0;
};

// The operating system's own file system.
FileSystem& NativeFileSystem();

// The file system the resolver uses: the native one unless a test installed another.
FileSystem& ActiveFileSystem();

// Makes fileSystem the active one; null restores the native one. For tests only: it
// is not synchronised with calls in progress.
void InstallFileSystem(FileSystem* fileSystem);

// True when byte starts a double-byte character in the character set of names: the
// ANSI code page on Windows; never on POSIX, whose UTF-8 needs no such test.
bool IsLeadByte(unsigned char byte);

// Upper-cases a name in place as the platform compares names: the ANSI code page's
// letters on Windows, the ASCII letters on POSIX.
void MakeNameUpper(char* text, std::size_t length);

}  // namespace dorvane::platform

#endif
