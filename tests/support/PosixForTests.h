#ifndef DORVANE_TESTS_POSIXFORTESTS_H
#define DORVANE_TESTS_POSIXFORTESTS_H

// What only POSIX tests need from the system: named pipes, running a check in a child
// process as an unprivileged user, since permissions mean nothing to root, and running a
// program as its users do, in a process of its own.

#if !defined(_WIN32)

#include <cstddef>
#include <cstdio>
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

// How a program ended and what it wrote.
struct ProgramRun {
    int exitStatus;  // -1 when a signal ended it
    int signal;      // the signal that ended it; 0 when it exited
    std::string out;
    std::string err;
};

// Runs command (the program's path, then its arguments) to its end, with input as its
// standard input and the NAME=value entries of environment added to this process's
// environment. The interrupts are in their default state for it. A command that cannot
// be started exits with 127.
ProgramRun RunProgram(const std::vector<std::string>& command, const std::string& input = "",
                      const std::vector<std::string>& environment = {});

// A program started as by RunProgram, but with its standard output into a pipe that is
// already full, so that it stops at its first write and stays there until a signal ends
// it. Destroying the object kills the program if it still runs.
class StalledProgram {
public:
    StalledProgram(const std::vector<std::string>& command,
                   const std::vector<std::string>& environment);
    ~StalledProgram();
    StalledProgram(const StalledProgram&) = delete;
    StalledProgram& operator=(const StalledProgram&) = delete;

    // True while the program has not ended.
    bool Running();
    // Sends signal, waits for the program to end and returns how it ended; out is empty.
    ProgramRun EndWith(int signal);

private:
    int m_Pid;
    int m_Output;  // the pipe's reading end
    std::FILE* m_Err;
    bool m_Ended;
    int m_Status;
};

}  // namespace dorvane::test

#endif
#endif
