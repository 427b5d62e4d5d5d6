#include "platform/Platform.h"

namespace dorvane::platform {

namespace {

FileSystem* g_InstalledFileSystem = nullptr;

}  // namespace

void DirectoryListing::Clear() {
    m_Names.clear();
    m_Entries.clear();
    m_HasIdentity = false;
}

void DirectoryListing::Add(std::string_view name, EntryKind kind) {
    m_Entries.push_back(Entry{m_Names.size(), name.size(), kind});
    m_Names.append(name);
}

FileSystem& ActiveFileSystem() {
    return g_InstalledFileSystem != nullptr ? *g_InstalledFileSystem : NativeFileSystem();
}

void InstallFileSystem(FileSystem* fileSystem) { g_InstalledFileSystem = fileSystem; }

}  // namespace dorvane::platform
