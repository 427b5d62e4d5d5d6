#ifndef DORVANE_TOOLS_DEMOFOLDER_H
#define DORVANE_TOOLS_DEMOFOLDER_H

#include <filesystem>
#include <string>
#include <vector>

namespace dorvane::tool {

// A fresh folder in the system's temporary directory holding the files it was given,
// removed with everything in it when the object goes, and also when the program is
// interrupted while it exists (SIGINT, SIGTERM; on POSIX also SIGHUP and SIGPIPE): the
// signal then ends the program as it would have without the folder. One folder at a
// time.
class DemoFolder {
public:
    // files: paths relative to the folder, with "/"; each is created with its
    // directories and holds its own name. Throws std::filesystem::filesystem_error or
    // std::runtime_error when the folder cannot be built; nothing is left behind then.
    explicit DemoFolder(const std::vector<std::string>& files);
    ~DemoFolder();
    DemoFolder(const DemoFolder&) = delete;
    DemoFolder& operator=(const DemoFolder&) = delete;

    const std::filesystem::path& Root() const { return m_Root; }
    // A path below the folder in the platform's own form.
    std::string Path(const std::string& relative) const;

private:
    void Build(const std::vector<std::string>& files);
    void Remove();

    std::filesystem::path m_Root;
};

}  // namespace dorvane::tool

#endif
