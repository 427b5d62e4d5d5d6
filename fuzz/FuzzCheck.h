#ifndef DORVANE_FUZZ_FUZZCHECK_H
#define DORVANE_FUZZ_FUZZCHECK_H

// The one way a fuzz oracle reports a broken promise: it names the promise, shows the
// input in escaped form and aborts, which libFuzzer records as a finding.

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace dorvane::fuzz {

inline void PrintEscaped(const char* label, std::string_view text) {
    std::fprintf(stderr, "  %s: \"", label);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
            std::fputc(c, stderr);
        } else {
            std::fprintf(stderr, "\\x%02X", byte);
        }
    }
    std::fprintf(stderr, "\"\n");
}

using Shown = std::initializer_list<std::pair<const char*, std::string_view>>;

// Aborts with promise and the labelled texts unless holds.
inline void Check(bool holds, const char* promise, Shown shown) {
    if (holds) {
        return;
    }
    std::fprintf(stderr, "broken promise: %s\n", promise);
    for (const auto& [label, text] : shown) {
        PrintEscaped(label, text);
    }
    std::abort();
}

}  // namespace dorvane::fuzz

#endif
