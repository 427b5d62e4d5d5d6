#include "PosixForTests.h"

#if !defined(_WIN32)

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <utility>

extern char** environ;

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

namespace {

// The program's view of the world: its arguments and environment, made before fork so
// that the child only has to call exec.
class Launch {
public:
    Launch(const std::vector<std::string>& command, const std::vector<std::string>& environment)
        : m_Strings(command) {
        for (char** entry = environ; *entry != nullptr; ++entry) {
            m_Environment.push_back(*entry);
        }
        m_Environment.insert(m_Environment.end(), environment.begin(), environment.end());
        for (std::string& argument : m_Strings) {
            m_Argv.push_back(argument.data());
        }
        m_Argv.push_back(nullptr);
        for (std::string& entry : m_Environment) {
            m_Envp.push_back(entry.data());
        }
        m_Envp.push_back(nullptr);
    }

    // Forks; the child gets in, out and err as its standard streams and runs the program.
    pid_t Start(int in, int out, int err) {
        const pid_t child = fork();
        if (child != 0) {
            return child;
        }
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        signal(SIGINT, SIG_DFL);
        signal(SIGTERM, SIG_DFL);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        execve(m_Argv[0], m_Argv.data(), m_Envp.data());
        _exit(127);
    }

private:
    std::vector<std::string> m_Strings;
    std::vector<std::string> m_Environment;
    std::vector<char*> m_Argv;
    std::vector<char*> m_Envp;
};

std::string ReadAll(std::FILE* file) {
    std::string text;
    std::rewind(file);
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, got);
    }
    return text;
}

int WaitFor(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return status;
}

ProgramRun Outcome(int status, std::string out, std::string err) {
    return ProgramRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                      WIFSIGNALED(status) ? WTERMSIG(status) : 0, std::move(out), std::move(err)};
}

}  // namespace

ProgramRun RunProgram(const std::vector<std::string>& command, const std::string& input,
                      const std::vector<std::string>& environment) {
    Launch launch(command, environment);
    // Files rather than pipes, so that no amount of output can block either side.
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ProgramRun run{-1, 0, "", "cannot make temporary files"};
    if (in != nullptr && out != nullptr && err != nullptr) {
        std::fwrite(input.data(), 1, input.size(), in);
        std::fflush(in);
        std::rewind(in);
        const pid_t child = launch.Start(fileno(in), fileno(out), fileno(err));
        if (child < 0) {
            run.err = "cannot fork";
        } else {
            const int status = WaitFor(child);
            run = Outcome(status, ReadAll(out), ReadAll(err));
        }
    }
    for (std::FILE* file : {in, out, err}) {
        if (file != nullptr) {
            std::fclose(file);
        }
    }
    return run;
}

StalledProgram::StalledProgram(const std::vector<std::string>& command,
                               const std::vector<std::string>& environment)
    : m_Pid(-1), m_Output(-1), m_Err(std::tmpfile()), m_Ended(true), m_Status(0) {
    int ends[2];
    if (m_Err == nullptr || pipe(ends) != 0) {
        return;
    }
    m_Output = ends[0];
    // Fill the pipe without blocking, then let the program's writes block again.
    const int flags = fcntl(ends[1], F_GETFL);
    fcntl(ends[1], F_SETFL, flags | O_NONBLOCK);
    char filler[4096];
    std::memset(filler, '.', sizeof filler);
    while (write(ends[1], filler, sizeof filler) > 0) {
    }
    fcntl(ends[1], F_SETFL, flags);
    const int devNull = open("/dev/null", O_RDONLY);
    m_Pid = Launch(command, environment).Start(devNull, ends[1], fileno(m_Err));
    m_Ended = m_Pid < 0;
    close(devNull);
    close(ends[1]);
}

StalledProgram::~StalledProgram() {
    if (!m_Ended) {
        kill(m_Pid, SIGKILL);
        WaitFor(m_Pid);
    }
    if (m_Output >= 0) {
        close(m_Output);
    }
    if (m_Err != nullptr) {
        std::fclose(m_Err);
    }
}

bool StalledProgram::Running() {
    if (!m_Ended && waitpid(m_Pid, &m_Status, WNOHANG) == m_Pid) {
        m_Ended = true;
    }
    return !m_Ended;
}

ProgramRun StalledProgram::EndWith(int signal) {
    if (Running()) {
        kill(m_Pid, signal);
        m_Status = WaitFor(m_Pid);
        m_Ended = true;
    }
    return Outcome(m_Status, "", m_Err != nullptr ? ReadAll(m_Err) : "");
}

}  // namespace dorvane::test

#endif
