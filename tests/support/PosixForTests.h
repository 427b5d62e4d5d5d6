#ifndef DORVANE_TESTS_POSIXFORTESTS_H
#define DORVANE_TESTS_POSIXFORTESTS_H

// What only POSIX tests need from the system: named pipes, and running a check in a
// child process as an unprivileged user, since permissions mean nothing to root.

#if !defined(_WIN32)

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace dorvane::test {

// Creates a named pipe; true on success.
bool MakeNamedPipe(const std::string& path);

// Runs check in a forked child. When the tests run as root, the child first becomes
// uid and gid 65534, so that file permissions apply to it. Returns what check returned;
// false when the child could not be run or did not finish. No timeout: the caller's
// test runner bounds the time.
bool RunUnprivileged(const std::function<bool()>& check);

// Runs check on a new thread whose stack holds stackBytes, and returns its result.
bool RunOnSmallStack(std::size_t stackBytes, const std::function<bool()>& check);

// Lowers this process's limit of open descriptors for one scope.
class ScopedDescriptorLimit {
public:
    explicit ScopedDescriptorLimit(unsigned long limit);
    ~ScopedDescriptorLimit();

private:
    unsigned long m_Previous;
    bool m_Set;
};

// Empty regular files in one directory for one scope, made and removed with one system
// call each, relative to the directory: a directory of 100,000 entries costs a fraction
// of a second instead of seconds.
class ScopedEmptyFiles {
public:
    ScopedEmptyFiles(const std::string& directory, std::vector<std::string> names);
    ~ScopedEmptyFiles();
    ScopedEmptyFiles(const ScopedEmptyFiles&) = delete;
    ScopedEmptyFiles& operator=(const ScopedEmptyFiles&) = delete;

    // True when every file was made.
    bool Complete() const { return m_Made == m_Names.size(); }

private:
    int m_Directory;
    std::vector<std::string> m_Names;
    std::size_t m_Made;
};

}  // namespace dorvane::test

#endif
#endif
