#include "WindowsForTests.h"

#if defined(_WIN32)

#if !defined(WIN32_LEAN_AND_MEAN)
#define WIN32_LEAN_AND_MEAN
#endif
#if !defined(NOMINMAX)
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#include <vector>

namespace dorvane::test {

ScopedUnsharedOpen::ScopedUnsharedOpen(const std::string& path)
    : m_Handle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr)) {}

ScopedUnsharedOpen::~ScopedUnsharedOpen() {
    if (IsOpen()) {
        CloseHandle(m_Handle);
    }
}

bool ScopedUnsharedOpen::IsOpen() const { return m_Handle != INVALID_HANDLE_VALUE; }

unsigned AnsiCodePage() { return GetACP(); }

std::string LoadedModuleFile(const std::string& moduleName) {
    const HMODULE module = GetModuleHandleA(moduleName.c_str());
    if (module == nullptr) {
        return std::string();
    }
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return std::string();
        }
        if (length < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

namespace {

std::string FourNumbers(DWORD mostSignificant, DWORD leastSignificant) {
    char text[64];
    std::snprintf(text, sizeof text, "%lu.%lu.%lu.%lu",
                  static_cast<unsigned long>(HIWORD(mostSignificant)),
                  static_cast<unsigned long>(LOWORD(mostSignificant)),
                  static_cast<unsigned long>(HIWORD(leastSignificant)),
                  static_cast<unsigned long>(LOWORD(leastSignificant)));
    return text;
}

// One string value of the version block's first translation; empty when it is absent.
std::string StringValue(std::vector<char>& data, const char* name) {
    struct Translation {
        WORD language;
        WORD codePage;
    };
    void* translations = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &translations, &size) ||
        size < sizeof(Translation)) {
        return std::string();
    }
    const Translation first = *static_cast<const Translation*>(translations);
    char key[128];
    std::snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\%s", first.language, first.codePage,
                  name);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), key, &value, &length) || length == 0) {
        return std::string();
    }
    return std::string(static_cast<const char*>(value));
}

}  // namespace

bool ReadVersionBlock(const std::string& file, VersionBlock& block) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (size == 0) {
        return false;
    }
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(file.c_str(), 0, size, data.data())) {
        return false;
    }
    void* fixed = nullptr;
    UINT fixedSize = 0;
    if (!VerQueryValueA(data.data(), "\\", &fixed, &fixedSize) ||
        fixedSize < sizeof(VS_FIXEDFILEINFO)) {
        return false;
    }
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    block.fixedFileVersion = FourNumbers(info->dwFileVersionMS, info->dwFileVersionLS);
    block.fixedProductVersion = FourNumbers(info->dwProductVersionMS, info->dwProductVersionLS);
    block.fileVersion = StringValue(data, "FileVersion");
    block.productVersion = StringValue(data, "ProductVersion");
    return true;
}

}  // namespace dorvane::test

#endif
