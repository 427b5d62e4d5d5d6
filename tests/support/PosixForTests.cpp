#include "PosixForTests.h"

#if !defined(_WIN32)

#include <fcntl.h>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <utility>

namespace dorvane::test {

bool MakeNamedPipe(const std::string& path) { return mkfifo(path.c_str(), 0644) == 0; }

bool RunUnprivileged(const std::function<bool()>& check) {
    const pid_t child = fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(2);
        }
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

namespace {

struct ThreadJob {
    const std::function<bool()>* check;
    bool result;
};

void* RunJob(void* argument) {
    auto* job = static_cast<ThreadJob*>(argument);
    job->result = (*job->check)();
    return nullptr;
}

}  // namespace

bool RunOnSmallStack(std::size_t stackBytes, const std::function<bool()>& check) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, stackBytes);
    ThreadJob job{&check, false};
    pthread_t thread;
    const bool started = pthread_create(&thread, &attributes, &RunJob, &job) == 0;
    pthread_attr_destroy(&attributes);
    if (!started) {
        return false;
    }
    pthread_join(thread, nullptr);
    return job.result;
}

ScopedDescriptorLimit::ScopedDescriptorLimit(unsigned long limit) : m_Previous(0), m_Set(false) {
    struct rlimit current;
    if (getrlimit(RLIMIT_NOFILE, &current) != 0) {
        return;
    }
    m_Previous = current.rlim_cur;
    current.rlim_cur = limit;
    m_Set = setrlimit(RLIMIT_NOFILE, &current) == 0;
}

ScopedDescriptorLimit::~ScopedDescriptorLimit() {
    if (!m_Set) {
        return;
    }
    struct rlimit current;
    getrlimit(RLIMIT_NOFILE, &current);
    current.rlim_cur = m_Previous;
    setrlimit(RLIMIT_NOFILE, &current);
}

ScopedEmptyFiles::ScopedEmptyFiles(const std::string& directory, std::vector<std::string> names)
    : m_Directory(open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)),
      m_Names(std::move(names)),
      m_Made(0) {
    if (m_Directory < 0) {
        return;
    }
    while (m_Made < m_Names.size() &&
           mknodat(m_Directory, m_Names[m_Made].c_str(), S_IFREG | 0644, 0) == 0) {
        ++m_Made;
    }
}

ScopedEmptyFiles::~ScopedEmptyFiles() {
    if (m_Directory < 0) {
        return;
    }
    for (std::size_t i = 0; i < m_Made; ++i) {
        unlinkat(m_Directory, m_Names[i].c_str(), 0);
    }
    close(m_Directory);
}

}  // namespace dorvane::test

#endif
