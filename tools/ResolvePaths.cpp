// Resolving paths one after the other and reporting each, as the command line asks.

#include "ResolvePaths.h"

#include <Dorvane/Dorvane.h>

namespace dorvane::tool {

namespace {

// One resolver for the whole run, so that its parent is set once.
class Reporter {
public:
    Reporter(const std::string& parent, ResultStreams streams) : m_Streams(streams) {
        if (!parent.empty()) {
            m_Resolver.SetParentFilename(parent.c_str());
        }
    }

    void Resolve(const std::string& request) {
        CVeskString path(request.c_str());
        // CVeskString ends at the first zero byte; a request holding one names no file.
        const bool representable = request.find('\0') == std::string::npos;
        if (representable && m_Resolver.ResolveFile(path)) {
            WriteLine(m_Streams.found, "", path, static_cast<std::size_t>(path.GetLength()));
        } else {
            m_AllFound = false;
            WriteLine(m_Streams.missing, "not found: ", request.data(), request.size());
        }
    }

    int ExitStatus() {
        const bool written = std::fflush(m_Streams.found) == 0 && !std::ferror(m_Streams.found);
        if (!written) {
            std::fputs("dorvane-resolve: cannot write the results\n", m_Streams.missing);
        }
        return m_AllFound && written ? 0 : 1;
    }

private:
    static void WriteLine(std::FILE* stream, const char* prefix, const char* text,
                          std::size_t length) {
        std::fputs(prefix, stream);
        std::fwrite(text, 1, length, stream);
        std::fputc('\n', stream);
    }

    CDorvane m_Resolver;
    ResultStreams m_Streams;
    bool m_AllFound = true;
};

bool IsBlank(const std::string& line) {
    return line.find_first_not_of(" \t\r\v\f") == std::string::npos;
}

}  // namespace

int ResolvePaths(const std::vector<std::string>& paths, const std::string& parent,
                 ResultStreams streams) {
    Reporter reporter(parent, streams);
    for (const std::string& path : paths) {
        reporter.Resolve(path);
    }
    return reporter.ExitStatus();
}

int ResolveLines(std::istream& input, const std::string& parent, ResultStreams streams) {
    Reporter reporter(parent, streams);
    std::string line;
    while (std::getline(input, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!IsBlank(line)) {
            reporter.Resolve(line);
        }
    }
    int status = reporter.ExitStatus();
    if (input.bad()) {
        std::fputs("dorvane-resolve: cannot read standard input\n", streams.missing);
        status = 1;
    }
    return status;
}

}  // namespace dorvane::tool
